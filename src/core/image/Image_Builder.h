#pragma once

#include "Config_Image.h"

#include <QString>
#include <optional>

namespace vo {

// Outcome of a build: the images, or the reason the parameter file could not be compiled.
struct Image_Build {
    std::optional<Config_Image> Image;
    QString Error_Text;

    explicit operator bool() const { return Image.has_value(); }
};

// Compiles the parameter file at ParGen_File into the images of bank.bin and bankK.bin. The nine
// elements MODE_DEV to TO_ASCII must be present and hold integers, every other element falls back
// on its default; a missing file gives the bare header and the default block.
[[nodiscard]] Image_Build Build_Image(const QString& ParGen_File);

} // namespace vo
