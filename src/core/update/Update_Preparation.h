#pragma once

#include "Device_Type.h"
#include "util/Result.h"

#include <QString>

namespace vo {

struct Shared_State;

// Message when a configuration's parameters were never saved (id of Lang_Strings, error): its
// images would carry baud 0 and TimeOuts of 0 ms.
inline constexpr int Msg_Parameters_Never_Saved = 1040;

// Whether the open configuration has its parameters saved (ParGen_File exists); else the message.
Status Parameters_Saved(const Shared_State& State);

// Whether the images the parameters compile to would pass the check before a launch
// (Check_Sendable_Images), built in memory; else Msg_Images_Unfit with the reason, or the build's
// error.
Status Images_Would_Pass(const Shared_State& State);

// The first steps of every update, in the window and on the command line alike: refuse a
// configuration whose parameters were never saved or fail the parameter dialog's checks, build and
// write bank.bin and bankK.bin from
// ParGen_File, then read the device type. Gives the mode of the update (Form_Serial or
// Form_Ethernet, from the parameter file's device type), or why the update must not go on.
Result<Update_Mode> Prepare_Update(const Shared_State& State);

} // namespace vo
