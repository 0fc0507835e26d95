#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vo {

// bankK.bin: one block of 2048 bytes whose last four bytes are the byte sum of the rest.
inline constexpr std::size_t BankK_Size = 2048;
inline constexpr std::size_t Serial_Slot_Count = 6;

// Offsets of the named fields. Integers are little-endian; addresses hold the leftmost number first.
namespace BankK_Offset {
inline constexpr std::size_t IP_Address = 40;        // 4 x uint8
inline constexpr std::size_t Subnet_Mask = 44;       // 4 x uint8
inline constexpr std::size_t Gateway = 48;           // 4 x uint8
inline constexpr std::size_t Serial_Baud = 400;      // 6 x uint32, bits per second
inline constexpr std::size_t Serial_Parity = 424;    // 6 x uint8
inline constexpr std::size_t Serial_Stop_Bits = 430; // 6 x uint8
inline constexpr std::size_t Serial_Data_Bits = 436; // 6 x uint8, then two fixed bytes of 8
inline constexpr std::size_t Mode_Flags = 1339;      // uint8
inline constexpr std::size_t RTU_Timeout = 1772;     // uint16, milliseconds
inline constexpr std::size_t ASCII_Timeout = 1774;   // uint16, milliseconds
inline constexpr std::size_t Checksum = 2044;        // uint32
} // namespace BankK_Offset

// Serial slots: a side on RS485 has its own slot, every side on RS232 shares slot 3.
inline constexpr std::size_t RTU_RS485_Slot = 0;
inline constexpr std::size_t ASCII_RS485_Slot = 2;
inline constexpr std::size_t RS232_Slot = 3;

// Bits of Mode_Flags; bits 3 to 7 stay clear.
inline constexpr std::uint8_t Mode_Bit_Mode_1 = 0x01; // "Modbus ASCII Slave <--> Modbus RTU Master"
inline constexpr std::uint8_t Mode_Bit_RTU_RS485 = 0x02;
inline constexpr std::uint8_t Mode_Bit_ASCII_RS485 = 0x04;

struct BankK_Block {
    std::array<std::uint8_t, BankK_Size> Bytes{};
};

// Writes every byte of the block: presets, default addresses, 8 data bits per slot, zeros elsewhere.
void Set_BankK_Defaults(BankK_Block& Block);

// Sum of the bytes before Checksum, each as an unsigned 8-bit number.
std::uint32_t BankK_Byte_Sum(std::span<const std::uint8_t, BankK_Size> Bytes);

// Stores Checksum in the block, copies the whole block to Buffer from Position on and returns
// the position after it. Position + BankK_Size must not exceed the buffer.
int Append_BankK(BankK_Block& Block, std::span<std::uint8_t> Buffer, int Position);

} // namespace vo
