#pragma once

#include "platform/Process_Runner.h"

#include <QString>

namespace vo {

struct Shared_State;

// How an update ended, decided here once for the window, the command line and the history: only
// an updater that ended by itself with code 0 succeeded.
enum class Update_End { Succeeded, Failed, Killed, Still_Running, Not_Started };

Update_End End_Of(Run_Result::State Outcome, int Exit_Code, int Term_Signal);
Update_End End_Of(const Run_Result& Result);

// Texts of an update's course (ids of Lang_Strings); %1 is the updater, %2 a number.
inline constexpr int Msg_Updater_Not_Started = 1038;  // error; the reason follows
inline constexpr int Msg_Updater_Running = 1050;      // status while it runs, %2 seconds
inline constexpr int Msg_Updater_Succeeded = 1051;    // status after it ended with code 0
inline constexpr int Msg_Updater_Failed = 1052;       // error, %2 its exit code
inline constexpr int Msg_Updater_Killed = 1053;       // error, %2 the signal that ended it
inline constexpr int Msg_Updater_Left_Running = 1058; // status, and the refusal of a second update
// What code 0 means, under the success line: %1 seconds, %2 whether it read back.
inline constexpr int Msg_Success_Means = 1059;

// The line that tells how the update ended, in the state's language, the updater named as given.
QString End_Words(const Run_Result& Result, const QString& Updater, const Shared_State& State);

} // namespace vo
