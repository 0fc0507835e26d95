#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vo {

// The one helper for the integers of the image files: unsigned, least significant byte first,
// Size bytes (1, 2 or 4) at any offset, with no alignment.
inline void Put_Le(std::span<std::uint8_t> Bytes, std::size_t Offset, std::uint32_t Value, std::size_t Size) {
    assert(Size <= 4 && Offset + Size <= Bytes.size());
    for (std::size_t I = 0; I < Size; ++I)
        Bytes[Offset + I] = static_cast<std::uint8_t>(Value >> (8 * I));
}

inline std::uint32_t Get_Le(std::span<const std::uint8_t> Bytes, std::size_t Offset, std::size_t Size) {
    assert(Size <= 4 && Offset + Size <= Bytes.size());
    std::uint32_t Value = 0;
    for (std::size_t I = 0; I < Size; ++I)
        Value |= static_cast<std::uint32_t>(Bytes[Offset + I]) << (8 * I);
    return Value;
}

} // namespace vo
