#pragma once

#include "Update_Steps.h"
#include "platform/Process_Runner.h"

#include <QString>
#include <chrono>

namespace vo {

struct Shared_State;

// Message when an updater cannot be started (id of Lang_Strings, error); the reason follows.
inline constexpr int Msg_Updater_Not_Started = 1038;

// How long an update may take before the configurator stops waiting for the updater.
inline constexpr std::chrono::milliseconds Updater_Wait_Limit{150000};

// The two updaters beside the executable.
QString Serial_Updater_Path(const QString& Exe_Dir);
QString Ethernet_Updater_Path(const QString& Exe_Dir);

// Starts the program NomeSW with the parameter text Parameter, its window shown when tipo is 0 and
// hidden otherwise, and waits for its end for at most Limit; a program still running then is left
// running. Watch, when set, runs while the program is waited for.
Run_Result Start_Program(Process_Runner& Runner, const QString& NomeSW, const QString& Parameter, int tipo,
                         std::chrono::milliseconds Limit = Updater_Wait_Limit, const Wait_Watch& Watch = {});

// The serial launch: remembers the choice, then runs the serial updater with the parameter text
// for Port. Both launches hold the program's Update_Lock from before their first write until the
// wait for the updater ends; another holder leaves the updater unstarted, with the localised
// Msg_Update_Running and the holder in Error_Text.
Run_Result Serial_Launch(Shared_State& State, Process_Runner& Runner, const QString& Port,
                         const Update_Choice& Choice, std::chrono::milliseconds Limit = Updater_Wait_Limit,
                         const Wait_Watch& Watch = {});

// The Ethernet launch, once Address has passed the address check: remembers the address and the
// choice, writes the job file and runs the Ethernet updater. A job file that cannot be written
// leaves the updater unstarted, with the reason in Error_Text.
Run_Result Ethernet_Launch(Shared_State& State, Process_Runner& Runner, const QString& Address,
                           const Update_Choice& Choice, std::chrono::milliseconds Limit = Updater_Wait_Limit,
                           const Wait_Watch& Watch = {});

} // namespace vo
