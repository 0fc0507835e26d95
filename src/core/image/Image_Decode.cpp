#include "Image_Decode.h"

#include "Bank_Layout.h"
#include "Little_Endian.h"

#include <algorithm>
#include <span>

namespace vo {

namespace {

std::span<const std::uint8_t> Byte_View(const QByteArray& Bytes) {
    return {reinterpret_cast<const std::uint8_t*>(Bytes.constData()), static_cast<std::size_t>(Bytes.size())};
}

// The bytes that a build may change: every named field.
bool Is_Named_Byte(std::size_t Offset) {
    using namespace BankK_Offset;
    const auto In = [Offset](std::size_t First, std::size_t Size) {
        return Offset >= First && Offset < First + Size;
    };
    return In(IP_Address, 12) || In(Serial_Baud, Serial_Data_Bits + Serial_Slot_Count - Serial_Baud) ||
           In(Mode_Flags, 1) || In(RTU_Timeout, 4) || In(Checksum, 4);
}

} // namespace

std::optional<BankK_Contents> Decode_BankK(const QByteArray& Bytes) {
    if (static_cast<std::size_t>(Bytes.size()) != BankK_Size)
        return std::nullopt;
    const std::span<const std::uint8_t, BankK_Size> View(Byte_View(Bytes).data(), BankK_Size);
    BankK_Contents C;
    std::copy_n(View.begin() + BankK_Offset::IP_Address, 4, C.IP_Address.begin());
    std::copy_n(View.begin() + BankK_Offset::Subnet_Mask, 4, C.Subnet_Mask.begin());
    std::copy_n(View.begin() + BankK_Offset::Gateway, 4, C.Gateway.begin());
    for (std::size_t Slot = 0; Slot < Serial_Slot_Count; ++Slot) {
        C.Serial[Slot].Baud = Get_Le(View, BankK_Offset::Serial_Baud + 4 * Slot, 4);
        C.Serial[Slot].Parity = View[BankK_Offset::Serial_Parity + Slot];
        C.Serial[Slot].Stop_Bits = View[BankK_Offset::Serial_Stop_Bits + Slot];
        C.Serial[Slot].Data_Bits = View[BankK_Offset::Serial_Data_Bits + Slot];
    }
    C.Mode_Flags = View[BankK_Offset::Mode_Flags];
    C.RTU_Timeout = static_cast<std::uint16_t>(Get_Le(View, BankK_Offset::RTU_Timeout, 2));
    C.ASCII_Timeout = static_cast<std::uint16_t>(Get_Le(View, BankK_Offset::ASCII_Timeout, 2));
    C.Checksum = Get_Le(View, BankK_Offset::Checksum, 4);
    C.Byte_Sum = BankK_Byte_Sum(View);

    BankK_Block Defaults;
    Set_BankK_Defaults(Defaults);
    for (std::size_t Offset = 0; Offset < BankK_Size; ++Offset)
        if (!Is_Named_Byte(Offset) && View[Offset] != Defaults.Bytes[Offset])
            C.Changed_Fixed_Bytes.append(static_cast<int>(Offset));
    return C;
}

std::optional<QList<Bank_Value>> Decode_Bank(const QByteArray& Bytes) {
    const std::size_t Size = static_cast<std::size_t>(Bytes.size());
    if (Size != Bank_Header_Size && Size != Bank_Stream_Size)
        return std::nullopt;
    const std::span<const std::uint8_t> View = Byte_View(Bytes);
    QList<Bank_Value> Values;
    const auto Add = [&](const Bank_Field& Field) {
        Values.append({QLatin1String(Field.Name), Get_Le(View, Field.Offset, Field.Size)});
    };
    Add(Bank_Header);
    if (Size == Bank_Stream_Size) {
        for (const Bank_Field& Field : Bank_Leading_Fields)
            Add(Field);
        for (const Bank_Field& Field : {Bank_DATA_RTU, Bank_STOP_RTU, Bank_DATA_ASCII, Bank_STOP_ASCII})
            Add(Field);
    }
    return Values;
}

} // namespace vo
