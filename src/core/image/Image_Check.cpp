#include "Image_Check.h"

#include "Bank_Layout.h"
#include "Image_Decode.h"
#include "params/Par_Gen_Check.h"

namespace vo {

namespace {

// What the two sides use of a bankK.bin, named by the parameters they come from.
struct Side_Use {
    const char* Baud_Name;
    std::size_t Slot;
};

} // namespace

Status Check_Sendable_Images(const QByteArray& Bank, const QByteArray& BankK) {
    if (static_cast<std::size_t>(Bank.size()) != Bank_Stream_Size)
        return Failure(QStringLiteral("bank.bin holds %1 bytes, not the %2 of a complete configuration")
                           .arg(Bank.size())
                           .arg(Bank_Stream_Size));
    const std::optional<BankK_Contents> Block = Decode_BankK(BankK);
    if (!Block)
        return Failure(QStringLiteral("bankK.bin holds %1 bytes, not %2").arg(BankK.size()).arg(BankK_Size));
    if (!Block->Checksum_Matches())
        return Failure(QStringLiteral("the checksum of bankK.bin is %1, but its bytes sum to %2")
                           .arg(Block->Checksum)
                           .arg(Block->Byte_Sum));
    const QStringList Known = List_Entries(Par_List::Baudrate, 0);
    for (const Side_Use& Side :
         {Side_Use{"BAUD_RTU", Block->RTU_Slot()}, Side_Use{"BAUD_ASCII", Block->ASCII_Slot()}}) {
        const std::uint32_t Baud = Block->Serial[Side.Slot].Baud;
        if (!Known.contains(QString::number(Baud)))
            return Failure(
                QStringLiteral("%1 in bankK.bin (serial slot %2) is %3, not a baud rate of the list")
                    .arg(QLatin1String(Side.Baud_Name))
                    .arg(Side.Slot)
                    .arg(Baud));
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
