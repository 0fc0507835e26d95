#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vo {

// The four bytes of a numeric IPv4 text, leftmost first: exactly four decimal numbers from 0 to 255
// joined by full stops, without blanks, signs or leading zeros, so that every network stack reads
// the text as the same address. Nothing for any other text; names are never resolved.
std::optional<std::array<std::uint8_t, 4>> Parse_Numeric_Ipv4(std::string_view Text);

} // namespace vo
