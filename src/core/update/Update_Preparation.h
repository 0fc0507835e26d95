#pragma once

#include "Device_Type.h"

#include <QString>

namespace vo {

struct Shared_State;

// The images of the open configuration, rebuilt and written for an update, and the mode of the
// update they lead to.
struct Update_Preparation {
    bool Ok = false;
    // Why the images could not be built or written; the update must not go on.
    QString Error_Text;
    // Form_Serial or Form_Ethernet, from the device type of the parameter file.
    Update_Mode Form_Type = Form_Serial;
};

// The first steps of every update, in the window and on the command line alike: build and write
// bank.bin and bankK.bin from ParGen_File, then read the device type.
Update_Preparation Prepare_Update(const Shared_State& State);

} // namespace vo
