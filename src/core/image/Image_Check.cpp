#include "Image_Check.h"

#include "Bank_Layout.h"
#include "Image_Decode.h"
#include "params/Par_Gen_Check.h"

#include <algorithm>
#include <iterator>

namespace vo {

namespace {

// What the two sides use of a bankK.bin, named by the parameters they come from.
struct Side_Use {
    const char* Baud_Name;
    const char* Parity_Name;
    const char* Stop_Name;
    std::size_t Slot;
};

// The device's stop bit codes: one stop bit, two.
constexpr std::uint8_t Stop_Codes[] = {0, 2};

} // namespace

Status Check_Sendable_Images(const QByteArray& Bank, const QByteArray& BankK) {
    if (static_cast<std::size_t>(Bank.size()) != Bank_Stream_Size)
        return Failure(QStringLiteral("bank.bin holds %1 bytes, not the %2 of a complete configuration")
                           .arg(Bank.size())
                           .arg(Bank_Stream_Size));
    // The switches of bank.bin: one of the two entries of their lists each.
    const std::optional<QList<Bank_Value>> Fields = Decode_Bank(Bank);
    for (const Bank_Value& Field : *Fields)
        if ((Field.Name == u"MODE_DEV" || Field.Name == u"SER_RTU" || Field.Name == u"SER_ASCII") &&
            Field.Value > 1)
            return Failure(
                QStringLiteral("%1 in bank.bin is %2, not 0 or 1").arg(Field.Name).arg(Field.Value));
    const std::optional<BankK_Contents> Block = Decode_BankK(BankK);
    if (!Block)
        return Failure(QStringLiteral("bankK.bin holds %1 bytes, not %2").arg(BankK.size()).arg(BankK_Size));
    if (!Block->Checksum_Matches())
        return Failure(QStringLiteral("the checksum of bankK.bin is %1, but its bytes sum to %2")
                           .arg(Block->Checksum)
                           .arg(Block->Byte_Sum));
    const QStringList Known = List_Entries(Par_List::Baudrate, 0);
    const auto Parities = static_cast<std::uint8_t>(List_Entries(Par_List::Parity, 0).size());
    for (const Side_Use& Side : {Side_Use{"BAUD_RTU", "PAR_RTU", "STOP_RTU", Block->RTU_Slot()},
                                 Side_Use{"BAUD_ASCII", "PAR_ASCII", "STOP_ASCII", Block->ASCII_Slot()}}) {
        const Serial_Slot& Used = Block->Serial[Side.Slot];
        const auto Unfit = [&Side](const char* Name, std::uint32_t Value, const char* What) {
            return Failure(QStringLiteral("%1 in bankK.bin (serial slot %2) is %3, not %4")
                               .arg(QLatin1String(Name))
                               .arg(Side.Slot)
                               .arg(Value)
                               .arg(QLatin1String(What)));
        };
        if (!Known.contains(QString::number(Used.Baud)))
            return Unfit(Side.Baud_Name, Used.Baud, "a baud rate of the list");
        if (Used.Parity >= Parities)
            return Unfit(Side.Parity_Name, Used.Parity, "a parity of the list");
        if (std::find(std::begin(Stop_Codes), std::end(Stop_Codes), Used.Stop_Bits) == std::end(Stop_Codes))
            return Unfit(Side.Stop_Name, Used.Stop_Bits, "a number of stop bits of the list");
    }
    // Mode 1 makes the RTU side the master, which waits for the answers of its slaves.
    const bool RTU_Master = (Block->Mode_Flags & Mode_Bit_Mode_1) != 0;
    const int TimeOut = RTU_Master ? Block->RTU_Timeout : Block->ASCII_Timeout;
    if (TimeOut < 1 || TimeOut > Max_TimeOut)
        return Failure(QStringLiteral("%1 in bankK.bin is %2 ms, not from 1 to %3 ms")
                           .arg(QLatin1String(RTU_Master ? "TO_RTU" : "TO_ASCII"))
                           .arg(TimeOut)
                           .arg(Max_TimeOut));
    return {};
}

} // namespace vo
