#include "Ipv4_Text.h"

namespace vo {

std::optional<std::array<std::uint8_t, 4>> Parse_Numeric_Ipv4(std::string_view Text) {
    std::array<std::uint8_t, 4> Bytes{};
    std::size_t Pos = 0;
    for (std::size_t Part = 0; Part < Bytes.size(); ++Part) {
        if (Part > 0) {
            if (Pos >= Text.size() || Text[Pos] != '.')
                return std::nullopt;
            ++Pos;
        }
        const std::size_t First = Pos;
        unsigned Value = 0;
        while (Pos < Text.size() && Text[Pos] >= '0' && Text[Pos] <= '9' && Pos - First < 3) {
            Value = Value * 10 + static_cast<unsigned>(Text[Pos] - '0');
            ++Pos;
        }
        const std::size_t Digits = Pos - First;
        // Some stacks read a leading zero as octal: "010" would be 8 there and 10 here.
        if (Digits == 0 || Value > 255 || (Digits > 1 && Text[First] == '0'))
            return std::nullopt;
        Bytes[Part] = static_cast<std::uint8_t>(Value);
    }
    if (Pos != Text.size())
        return std::nullopt;
    return Bytes;
}

} // namespace vo
