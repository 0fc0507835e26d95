#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vo {

// One field of bank.bin. Each field carries the low bits of the ParGen.xml element it is named
// after; the four code fields at the end hold the fixed codes 3 and 0 for a side on RS232.
struct Bank_Field {
    const char* Name;
    std::size_t Offset;
    std::size_t Size;
};

inline constexpr Bank_Field Bank_Header{"Header", 0, 4};
inline constexpr std::uint32_t Bank_Header_Value = 4;

// The nine elements a build requires, in file order.
inline constexpr std::array<Bank_Field, 9> Bank_Leading_Fields{{
    {"MODE_DEV", 4, 1},
    {"SER_RTU", 5, 1},
    {"BAUD_RTU", 6, 1},
    {"PAR_RTU", 7, 1},
    {"TO_RTU", 8, 2},
    {"SER_ASCII", 10, 1},
    {"BAUD_ASCII", 11, 1},
    {"PAR_ASCII", 12, 1},
    {"TO_ASCII", 13, 2},
}};

inline constexpr Bank_Field Bank_DATA_RTU{"DATA_RTU", 15, 1};
inline constexpr Bank_Field Bank_STOP_RTU{"STOP_RTU", 16, 1};
inline constexpr Bank_Field Bank_DATA_ASCII{"DATA_ASCII", 17, 1};
inline constexpr Bank_Field Bank_STOP_ASCII{"STOP_ASCII", 18, 1};

// Lengths of bank.bin: the header alone (no parameter file) or the whole stream.
inline constexpr std::size_t Bank_Header_Size = 4;
inline constexpr std::size_t Bank_Stream_Size = 19;

} // namespace vo
