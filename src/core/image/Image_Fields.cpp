#include "Image_Fields.h"

#include "Image_Decode.h"

namespace vo {

namespace {

QString Dotted(const std::array<std::uint8_t, 4>& Address) {
    return QStringLiteral("%1.%2.%3.%4").arg(Address[0]).arg(Address[1]).arg(Address[2]).arg(Address[3]);
}

QList<Image_Field> BankK_Fields(const BankK_Contents& K) {
    QList<Image_Field> Fields{
        {QStringLiteral("IP_Address"), Dotted(K.IP_Address)},
        {QStringLiteral("Subnet_Mask"), Dotted(K.Subnet_Mask)},
        {QStringLiteral("Gateway"), Dotted(K.Gateway)},
        {QStringLiteral("Mode_Flags"), QStringLiteral("0x%1").arg(K.Mode_Flags, 2, 16, QLatin1Char('0'))},
        {QStringLiteral("RTU_Timeout"), QString::number(K.RTU_Timeout)},
        {QStringLiteral("ASCII_Timeout"), QString::number(K.ASCII_Timeout)},
    };
    for (std::size_t Slot = 0; Slot < K.Serial.size(); ++Slot) {
        const Serial_Slot& S = K.Serial[Slot];
        const QString Prefix = QStringLiteral("Slot %1 ").arg(Slot);
        Fields.append({Prefix + QStringLiteral("Serial_Baud"), QString::number(S.Baud)});
        Fields.append({Prefix + QStringLiteral("Serial_Parity"), QString::number(S.Parity)});
        Fields.append({Prefix + QStringLiteral("Serial_Stop_Bits"), QString::number(S.Stop_Bits)});
        Fields.append({Prefix + QStringLiteral("Serial_Data_Bits"), QString::number(S.Data_Bits)});
    }
    QStringList Offsets;
    for (int Offset : K.Changed_Fixed_Bytes)
        Offsets.append(QString::number(Offset));
    Fields.append({QStringLiteral("Changed fixed bytes"),
                   Offsets.isEmpty() ? QStringLiteral("none") : Offsets.join(QStringLiteral(", "))});
    Fields.append({QStringLiteral("Checksum"), QString::number(K.Checksum)});
    Fields.append({QStringLiteral("Checksum matches"),
                   K.Checksum_Matches() ? QStringLiteral("yes") : QStringLiteral("no")});
    return Fields;
}

} // namespace

std::optional<QList<Image_Field>> Image_Fields(const QByteArray& Bytes) {
    if (const std::optional<BankK_Contents> K = Decode_BankK(Bytes))
        return BankK_Fields(*K);
    const std::optional<QList<Bank_Value>> Values = Decode_Bank(Bytes);
    if (!Values)
        return std::nullopt;
    QList<Image_Field> Fields;
    for (const Bank_Value& Value : *Values)
        Fields.append({Value.Name, QString::number(Value.Value)});
    return Fields;
}

} // namespace vo
