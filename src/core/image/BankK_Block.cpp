#include "BankK_Block.h"

#include "Little_Endian.h"

#include <algorithm>
#include <cassert>
#include <numeric>

namespace vo {

namespace {

// Values the device expects at fixed places; the configurator never changes them.
struct Preset {
    std::size_t Offset;
    std::uint32_t Value;
    std::size_t Size;
};

constexpr Preset Presets[] = {
    {0, 250000, 4}, {4, 250000, 4}, {12, 9600, 4}, {52, 10000, 2}, {54, 10001, 2}, {56, 10001, 2},
};

constexpr std::array<std::uint8_t, 12> Default_Addresses = {
    192, 168, 2,   205, // IP_Address
    255, 255, 255, 0,   // Subnet_Mask
    255, 255, 255, 255, // Gateway: none
};

// Serial_Data_Bits of the six slots and the two fixed bytes after them.
constexpr std::size_t Data_Bits_Bytes = 8;
constexpr std::uint8_t Default_Data_Bits = 8;

} // namespace

void Set_BankK_Defaults(BankK_Block& Block) {
    Block.Bytes.fill(0);
    for (const Preset& P : Presets)
        Put_Le(Block.Bytes, P.Offset, P.Value, P.Size);
    std::copy(Default_Addresses.begin(), Default_Addresses.end(),
              Block.Bytes.begin() + BankK_Offset::IP_Address);
    std::fill_n(Block.Bytes.begin() + BankK_Offset::Serial_Data_Bits, Data_Bits_Bytes, Default_Data_Bits);
}

std::uint32_t BankK_Byte_Sum(std::span<const std::uint8_t, BankK_Size> Bytes) {
    return std::accumulate(Bytes.begin(), Bytes.begin() + BankK_Offset::Checksum, std::uint32_t{0});
}

int Append_BankK(BankK_Block& Block, std::span<std::uint8_t> Buffer, int Position) {
    assert(Position >= 0 && static_cast<std::size_t>(Position) + BankK_Size <= Buffer.size());
    Put_Le(Block.Bytes, BankK_Offset::Checksum, BankK_Byte_Sum(Block.Bytes), 4);
    std::copy(Block.Bytes.begin(), Block.Bytes.end(), Buffer.begin() + Position);
    return Position + static_cast<int>(BankK_Size);
}

} // namespace vo
