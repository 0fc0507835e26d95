#pragma once

#include <QString>

namespace vo {

struct Config_Files;

// Whether bin/ holds what ParGen.xml compiles to now, so that a report or the history never shows
// the checksums of images built from other parameters without saying so.
enum class Built_Images { Match, Differ, Missing, Unbuildable };

// Built in memory from ParGen_File and compared with the images among Files; one image without
// the other differs, neither is Missing.
Built_Images Compare_Built_Images(const QString& ParGen_File, const Config_Files& Files);

// Differ, or parameters that build no images at all: what bin/ holds is not theirs.
bool Images_Differ(Built_Images State);

// Message when they do not match (id of Lang_Strings, warning).
inline constexpr int Msg_Images_Not_Of_Parameters = 98;

} // namespace vo
