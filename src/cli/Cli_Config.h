#pragma once

#include "Cli_Context.h"
#include "params/Par_Gen.h"

#include <optional>

namespace vo {

// Prints the usage line of the command named Name, from the command table; gives Exit_Usage.
int Usage_Error(Cli_Context& Context, const char* Name);

// Prints one message of Lang_Strings on standard error, as the dialogs would show it.
void Print_Message(Cli_Context& Context, int Id);

// Opens CONFIG as the graphical program opens a configuration (Project_Path, ParGen_File) and
// loads its parameters as the parameter dialog does. CONFIG holding a "/" (or the system's own
// separator) is the path of a configuration folder; anything else is the name of one under
// PROJECTS. A CONFIG that is no folder, or a ParGen.xml that cannot be read or parsed: the
// reason on standard error, and nothing.
std::optional<Par_Gen> Load_Config(Cli_Context& Context, const QString& Config);

// The checks on confirmation, for what the dialog would show with these values; the failing
// message on standard error. Gives 0 or the message id.
int Run_Checks(Cli_Context& Context, const Par_Gen& Set);

} // namespace vo
