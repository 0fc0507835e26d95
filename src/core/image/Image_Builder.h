#pragma once

#include "Config_Image.h"
#include "util/Result.h"

#include <QString>

namespace vo {

// Outcome of a build: the images, or the reason the parameter file could not be compiled.
using Image_Build = Result<Config_Image>;

// Compiles the parameter file at ParGen_File into the images of bank.bin and bankK.bin. The nine
// elements MODE_DEV to TO_ASCII must be present and hold integers, every other element falls back
// on its default; a missing file gives the bare header and the default block.
Image_Build Build_Image(const QString& ParGen_File);

} // namespace vo
