#pragma once

#include "Cli_Context.h"
#include "params/Par_Gen.h"

#include <optional>

namespace vo {

// Prints the usage line of the command named Name, from the command table; gives Exit_Usage.
int Usage_Error(Cli_Context& Context, const char* Name);

// Text from outside (files, records, process names, the system's port details) as a terminal may
// show it: control characters and the marks that turn text around appear escaped ("\x1b",
// "\u202e"), so that no value can forge a line of a table or recolour the terminal.
QString Terminal_Text(const QString& Text);

// Prints one message of Lang_Strings on standard error, as the dialogs would show it.
void Print_Message(Cli_Context& Context, int Id);

// Opens CONFIG as the graphical program opens a configuration: sets Project_Name, Project_Path
// and ParGen_File. CONFIG holding a "/" (or the system's own separator) is the path of a
// configuration folder, which must hold ParGen.xml or lie in a PROJECTS folder; anything else is
// the name of one under PROJECTS. A CONFIG that is no configuration folder: the reason on standard
// error, and false.
bool Open_Config(Cli_Context& Context, const QString& Config);

// How the parameters are read: as the dialog shows them, or by a command that acts on them, for
// which a file whose first node is not its root element is an error rather than all defaults.
enum class Par_Reading { As_Dialog, To_Change };

// Open_Config, then Load_Open_Config.
std::optional<Par_Gen> Load_Config(Cli_Context& Context, const QString& Config,
                                   Par_Reading Reading = Par_Reading::As_Dialog);

// Loads the parameters of the open configuration. A ParGen.xml that cannot be read or parsed: the
// reason on standard error, and nothing.
std::optional<Par_Gen> Load_Open_Config(Cli_Context& Context, Par_Reading Reading);

// The checks on confirmation, for what the dialog would show with these values; the failing
// message on standard error. Gives 0 or the message id.
int Run_Checks(Cli_Context& Context, const Par_Gen& Set);

} // namespace vo
