#pragma once

#include "BankK_Block.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace vo {

struct Serial_Slot {
    std::uint32_t Baud = 0;
    std::uint8_t Parity = 0;
    std::uint8_t Stop_Bits = 0;
    std::uint8_t Data_Bits = 0;

    bool operator==(const Serial_Slot&) const = default;
};

// Every named field of a bankK.bin, with what follows from them.
struct BankK_Contents {
    std::array<std::uint8_t, 4> IP_Address{};
    std::array<std::uint8_t, 4> Subnet_Mask{};
    std::array<std::uint8_t, 4> Gateway{};
    std::array<Serial_Slot, Serial_Slot_Count> Serial{};
    std::uint8_t Mode_Flags = 0;
    std::uint16_t RTU_Timeout = 0;
    std::uint16_t ASCII_Timeout = 0;
    std::uint32_t Checksum = 0; // as stored
    std::uint32_t Byte_Sum = 0; // as computed from the bytes before it
    // Offsets of preset and reserved bytes that differ from the defaults.
    QList<int> Changed_Fixed_Bytes;

    bool Checksum_Matches() const { return Checksum == Byte_Sum; }
    std::size_t RTU_Slot() const { return Mode_Flags & Mode_Bit_RTU_RS485 ? RTU_RS485_Slot : RS232_Slot; }
    std::size_t ASCII_Slot() const {
        return Mode_Flags & Mode_Bit_ASCII_RS485 ? ASCII_RS485_Slot : RS232_Slot;
    }
};

// Reads a bankK.bin; nothing when it is not exactly BankK_Size bytes long.
std::optional<BankK_Contents> Decode_BankK(const QByteArray& Bytes);

// One field of a bank.bin, named as in the layout ("Header", "MODE_DEV", ...).
struct Bank_Value {
    QString Name;
    std::uint32_t Value = 0;
};

// Reads a bank.bin field by field; nothing unless it is the bare header or the whole stream.
std::optional<QList<Bank_Value>> Decode_Bank(const QByteArray& Bytes);

} // namespace vo
