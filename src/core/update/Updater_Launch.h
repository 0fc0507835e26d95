#pragma once

#include "Update_Steps.h"
#include "platform/Process_Runner.h"
#include "util/Writer_Lock.h"

#include <QString>
#include <chrono>

namespace vo {

struct Shared_State;

// Message when an updater cannot be started (id of Lang_Strings, error); the reason follows.
inline constexpr int Msg_Updater_Not_Started = 1038;

// Texts of an update's course (ids of Lang_Strings); %1 is the updater, %2 a number.
inline constexpr int Msg_Updater_Running = 1050;      // status while it runs, %2 seconds
inline constexpr int Msg_Updater_Succeeded = 1051;    // status after it ended with code 0
inline constexpr int Msg_Updater_Failed = 1052;       // error, %2 its exit code
inline constexpr int Msg_Updater_Killed = 1053;       // error, %2 the signal that ended it
inline constexpr int Msg_Updater_At_Limit = 1054;     // question, %2 seconds: wait further?
inline constexpr int Msg_Updater_Closes_Later = 1055; // information: closing waits for its end
inline constexpr int Msg_No_Port_Chosen = 1056;       // error: no serial port, nothing started
inline constexpr int Msg_Updater_Left_Running = 1058; // status, and the refusal of a second update

// How long an update may take before the configurator stops waiting for the updater.
inline constexpr std::chrono::milliseconds Updater_Wait_Limit{150000};

// The two updaters beside the executable.
QString Serial_Updater_Path(const QString& Exe_Dir);
QString Ethernet_Updater_Path(const QString& Exe_Dir);

// Starts the program NomeSW with the parameter text Parameter, its window shown when tipo is 0 and
// hidden otherwise, and returns at once.
Start_Result Begin_Program(Process_Runner& Runner, const QString& NomeSW, const QString& Parameter, int tipo);

// Starts the program as Begin_Program does and waits for its end for at most Limit; a program still
// running then is left running.
Run_Result Start_Program(Process_Runner& Runner, const QString& NomeSW, const QString& Parameter, int tipo,
                         std::chrono::milliseconds Limit = Updater_Wait_Limit, const Wait_Watch& Watch = {});

// A launched updater with the program's update lock, taken before the first write of the launch.
// The caller holds the lock until it has seen the updater end; another holder leaves the updater
// unstarted, with Msg_Update_Running and the holder in Error_Text.
struct Updater_Start {
    Start_Result Started;
    std::unique_ptr<Writer_Lock> Lock;
};

// The serial launch up to the start: remembers the choice, then starts the serial updater with the
// parameter text for Port.
Updater_Start Begin_Serial_Launch(Shared_State& State, Process_Runner& Runner, const QString& Port,
                                  const Update_Choice& Choice);

// The Ethernet launch up to the start, once Address has passed the address check: remembers the
// address and the choice, writes the job file and starts the Ethernet updater. A job file that
// cannot be written leaves the updater unstarted, with the reason in Error_Text.
Updater_Start Begin_Ethernet_Launch(Shared_State& State, Process_Runner& Runner, const QString& Address,
                                    const Update_Choice& Choice);

// The two launches with the wait for the updater's end, for at most Limit, under the update lock;
// Watch, when set, runs while the updater is waited for.
Run_Result Serial_Launch(Shared_State& State, Process_Runner& Runner, const QString& Port,
                         const Update_Choice& Choice, std::chrono::milliseconds Limit = Updater_Wait_Limit,
                         const Wait_Watch& Watch = {});
Run_Result Ethernet_Launch(Shared_State& State, Process_Runner& Runner, const QString& Address,
                           const Update_Choice& Choice, std::chrono::milliseconds Limit = Updater_Wait_Limit,
                           const Wait_Watch& Watch = {});

} // namespace vo
