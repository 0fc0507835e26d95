#pragma once

#include "Image_Builder.h"

namespace vo {

struct Shared_State;

// What the update step sends: the open configuration's ParGen_File compiled and written as
// bank.bin and bankK.bin in its bin folder. Gives the images the files received, or the error of
// the build (nothing written) or of the write (naming the file). Without an open configuration
// nothing is written: the bin folder would be relative to nowhere. Holds the configuration's lock
// throughout; another holder gives Msg_Configuration_Busy with the holder.
Image_Build Build_And_Save_Images(const Shared_State& State);

} // namespace vo
