#pragma once

#include "History_File.h"

#include <optional>

namespace vo {

struct Shared_State;

// What a customer is told at the top of the report: whether the device holds this configuration, and
// whether the link through the converter was tested since.
struct Commissioning_Verdict {
    enum class State { Not_Written, Later_Failed, Images_Differ, Parameters_Changed, Updated };
    State Verdict = State::Not_Written;
    std::optional<Update_Record> Update; // the latest successful update
    std::optional<Update_Record> Link;   // the latest link test after it
    // The latest update after it that reached the device and did not succeed (ended with another
    // code, killed, still running, outcome unknown): the device may hold a part of it.
    std::optional<Update_Record> Failed;
    bool Stale_Images = false; // the images in bin were not built from the current parameters
};

// The verdict of a configuration whose history is Read. Later_Failed comes first: a device an update
// broke off in is not commissioned whatever else holds. Parameters_Changed: the current parameters
// differ from those of the latest successful update (which tells more than the images it leaves
// behind); Images_Differ: the images in bin were not built from the current parameters.
Commissioning_Verdict Verdict_Of(const History& Read, bool Images_Differ, bool Parameters_Changed);

// The verdict as one sentence in the state's language, with the dates in local time.
QString Verdict_Words(const Commissioning_Verdict& Verdict, const Shared_State& State);

// The verdict of the configuration open in State, from its files and history; a failure when its
// parameters or history cannot be read.
Result<Commissioning_Verdict> Verdict_Of_Configuration(const Shared_State& State, const History& Read);

} // namespace vo
