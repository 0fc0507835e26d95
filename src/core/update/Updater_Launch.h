#pragma once

#include "Update_Outcome.h"
#include "Update_Steps.h"
#include "platform/Process_Runner.h"
#include "util/Writer_Lock.h"

#include <QString>
#include <chrono>

namespace vo {

struct Shared_State;

// Texts of an update's course in the window (ids of Lang_Strings); %1 is the updater, %2 a number.
inline constexpr int Msg_Updater_At_Limit = 1054;     // question, %2 seconds: wait further?
inline constexpr int Msg_Updater_Closes_Later = 1055; // status: closing waits for its end
inline constexpr int Msg_No_Port_Chosen = 1056;       // error: no serial port, nothing started

// How long an update may take before the configurator stops waiting for the updater.
inline constexpr std::chrono::milliseconds Updater_Wait_Limit{150000};

// The two updaters beside the executable.
QString Serial_Updater_Path(const QString& Exe_Dir);
QString Ethernet_Updater_Path(const QString& Exe_Dir);

// Starts the program NomeSW with the parameter text Parameter, its window shown when tipo is 0 and
// hidden otherwise, and returns at once; Output tells what becomes of its output.
Start_Result Begin_Program(Process_Runner& Runner, const QString& NomeSW, const QString& Parameter, int tipo,
                           Program_Output Output);

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
                                  const Update_Choice& Choice, Program_Output Output);

// The Ethernet launch up to the start, once Address has passed the address check: remembers the
// address and the choice, writes the job file and starts the Ethernet updater. A job file that
// cannot be written leaves the updater unstarted, with the reason in Error_Text.
Updater_Start Begin_Ethernet_Launch(Shared_State& State, Process_Runner& Runner, const QString& Address,
                                    const Update_Choice& Choice, Program_Output Output);

} // namespace vo
