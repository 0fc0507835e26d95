#pragma once

#include "Device_Type.h"
#include "util/Result.h"

#include <QString>

namespace vo {

struct Shared_State;

// The first steps of every update, in the window and on the command line alike: build and write
// bank.bin and bankK.bin from ParGen_File, then read the device type. Gives the mode of the
// update (Form_Serial or Form_Ethernet, from the parameter file's device type), or why the images
// could not be built or written: the update must not go on.
Result<Update_Mode> Prepare_Update(const Shared_State& State);

} // namespace vo
