#include "Cli_Config.h"
#include "Cli_Json.h"
#include "image/Bank_Layout.h"
#include "image/Image_Decode.h"
#include "image/Image_Fields.h"
#include "params/Par_Gen.h"
#include "util/File_Read.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <algorithm>

namespace vo {

namespace {

// The baud rate, parity and operation mode lists are the same for both device types.
constexpr int Any_Device_Type = 1;

// Labels line up, so that two outputs compare line by line.
void Line(QTextStream& Out, const QString& Label, const QString& Value) {
    Out << Label.leftJustified(18) << ' ' << Value << '\n';
}

QString Dotted(const std::array<std::uint8_t, 4>& Address) {
    return QStringLiteral("%1.%2.%3.%4").arg(Address[0]).arg(Address[1]).arg(Address[2]).arg(Address[3]);
}

struct Flag_Name {
    std::uint8_t Bit;
    const char* Name;
};

constexpr Flag_Name Flag_Names[] = {
    {Mode_Bit_Mode_1, "Mode_1"},
    {Mode_Bit_RTU_RS485, "RTU_RS485"},
    {Mode_Bit_ASCII_RS485, "ASCII_RS485"},
};

// "0x07 Mode_1 RTU_RS485 ASCII_RS485"; a bit that a build never sets is shown as such.
QString Flags_Text(std::uint8_t Flags) {
    QString Text = QStringLiteral("0x%1").arg(Flags, 2, 16, QLatin1Char('0'));
    for (int Bit = 0; Bit < 8; ++Bit) {
        const auto Mask = static_cast<std::uint8_t>(1u << Bit);
        if (!(Flags & Mask))
            continue;
        const auto Known = std::find_if(std::begin(Flag_Names), std::end(Flag_Names),
                                        [Mask](const Flag_Name& F) { return F.Bit == Mask; });
        Text += Known != std::end(Flag_Names) ? QStringLiteral(" ") + QLatin1String(Known->Name)
                                              : QStringLiteral(" Bit_%1(never set)").arg(Bit);
    }
    return Flags == 0 ? Text + QStringLiteral(" (none)") : Text;
}

// A code with its meaning, or marked when it has none.
QString Coded(unsigned Code, const QString& Meaning) {
    return QStringLiteral("%1 (%2)").arg(Code).arg(Meaning.isEmpty() ? QStringLiteral("unknown code")
                                                                     : Meaning);
}

QString Baud_Text(std::uint32_t Baud) {
    const QString Rate = QString::number(Baud);
    const bool Known = List_Entries(Par_List::Baudrate, Any_Device_Type).contains(Rate);
    return Known ? Rate : Rate + QStringLiteral(" (not a baud rate)");
}

QString Stop_Bits_Text(std::uint8_t Code) {
    switch (Code) {
    case 0:
        return Coded(Code, QStringLiteral("1 stop bit"));
    case 2:
        return Coded(Code, QStringLiteral("2 stop bits"));
    default:
        return Coded(Code, QString());
    }
}

// Offsets as runs: "0-3, 12, 58-399".
QString Offset_Runs(const QList<int>& Offsets) {
    QStringList Runs;
    for (qsizetype I = 0; I < Offsets.size();) {
        qsizetype Last = I;
        while (Last + 1 < Offsets.size() && Offsets[Last + 1] == Offsets[Last] + 1)
            ++Last;
        Runs.append(Last == I ? QString::number(Offsets[I])
                              : QStringLiteral("%1-%2").arg(Offsets[I]).arg(Offsets[Last]));
        I = Last + 1;
    }
    return Runs.join(QStringLiteral(", "));
}

void Print_Slots(QTextStream& Out, const BankK_Contents& K) {
    for (std::size_t Slot = 0; Slot < Serial_Slot_Count; ++Slot) {
        QStringList Sides;
        if (K.RTU_Slot() == Slot)
            Sides.append(QStringLiteral("Modbus RTU"));
        if (K.ASCII_Slot() == Slot)
            Sides.append(QStringLiteral("Modbus ASCII"));
        if (Sides.isEmpty())
            continue;
        QString Users = Sides.join(QStringLiteral(" and ")) +
                        (Slot == RS232_Slot ? QStringLiteral(" on RS232") : QStringLiteral(" on RS485"));
        // Both sides share the RS232 slot; the Modbus ASCII values are written last.
        if (Sides.size() > 1)
            Users += QStringLiteral(", the Modbus ASCII values");
        const Serial_Slot& S = K.Serial[Slot];
        Line(Out, QStringLiteral("Slot %1").arg(Slot), Users);
        Line(Out, QStringLiteral("  Serial_Baud"), Baud_Text(S.Baud));
        Line(Out, QStringLiteral("  Serial_Parity"),
             Coded(S.Parity, Entry_Text(Par_List::Parity, Any_Device_Type, S.Parity)));
        Line(Out, QStringLiteral("  Serial_Stop_Bits"), Stop_Bits_Text(S.Stop_Bits));
        Line(Out, QStringLiteral("  Serial_Data_Bits"), QString::number(S.Data_Bits));
    }
}

int Report_BankK(Cli_Context& Context, const QString& File_Name, const BankK_Contents& K) {
    QTextStream& Out = Context.Out;
    Out << "bankK.bin, " << BankK_Size << " bytes\n";
    Line(Out, QStringLiteral("IP_Address"), Dotted(K.IP_Address));
    Line(Out, QStringLiteral("Subnet_Mask"), Dotted(K.Subnet_Mask));
    Line(Out, QStringLiteral("Gateway"), Dotted(K.Gateway));
    Line(Out, QStringLiteral("Mode_Flags"), Flags_Text(K.Mode_Flags));
    Line(Out, QStringLiteral("Operation mode"),
         Entry_Text(Par_List::Operation_Mode, Any_Device_Type, K.Mode_Flags & Mode_Bit_Mode_1 ? 1 : 0));
    Line(Out, QStringLiteral("RTU_Timeout"), QStringLiteral("%1 ms").arg(K.RTU_Timeout));
    Line(Out, QStringLiteral("ASCII_Timeout"), QStringLiteral("%1 ms").arg(K.ASCII_Timeout));
    Print_Slots(Out, K);
    Line(Out, QStringLiteral("Fixed bytes"),
         K.Changed_Fixed_Bytes.isEmpty()
             ? QStringLiteral("as laid out")
             : QStringLiteral("changed at ") + Offset_Runs(K.Changed_Fixed_Bytes));
    if (K.Checksum_Matches()) {
        Line(Out, QStringLiteral("Checksum"), QStringLiteral("%1, matches the byte sum").arg(K.Checksum));
        return Exit_Ok;
    }
    Line(Out, QStringLiteral("Checksum"),
         QStringLiteral("%1, the byte sum is %2").arg(K.Checksum).arg(K.Byte_Sum));
    Context.Err << "vo40913-cli: \"" << File_Name << "\": the checksum " << K.Checksum
                << " does not match the byte sum " << K.Byte_Sum << '\n';
    return Exit_Failed;
}

int Report_Bank(Cli_Context& Context, const QString& File_Name, qsizetype Size,
                const QList<Bank_Value>& Values) {
    Context.Out << "bank.bin, " << Size << " bytes\n";
    for (const Bank_Value& Value : Values)
        Line(Context.Out, Value.Name, QString::number(Value.Value));
    const std::uint32_t Header = Values.first().Value;
    if (Header == Bank_Header_Value)
        return Exit_Ok;
    Context.Err << "vo40913-cli: \"" << File_Name << "\": the header holds " << Header << ", not "
                << Bank_Header_Value << '\n';
    return Exit_Failed;
}

// The fields as JSON; valid is false (and the exit status 1) where the text report fails.
int Inspect_Json(Cli_Context& Context, const QString& File_Name, const QByteArray& Bytes,
                 const QList<Image_Field>& Fields) {
    const bool BankK = static_cast<std::size_t>(Bytes.size()) == BankK_Size;
    const bool Valid = BankK ? Decode_BankK(Bytes)->Checksum_Matches()
                             : Decode_Bank(Bytes)->first().Value == Bank_Header_Value;
    QJsonArray Array;
    for (const Image_Field& Field : Fields)
        Array.append(
            QJsonObject{{QStringLiteral("name"), Field.Name}, {QStringLiteral("value"), Field.Value}});
    Print_Json(Context,
               {{QStringLiteral("file"), File_Name},
                {QStringLiteral("kind"), BankK ? QStringLiteral("bankK.bin") : QStringLiteral("bank.bin")},
                {QStringLiteral("size"), Bytes.size()},
                {QStringLiteral("valid"), Valid},
                {QStringLiteral("fields"), Array}});
    return Valid ? Exit_Ok : Exit_Failed;
}

} // namespace

// inspect FILE: a bankK.bin or a bank.bin, told apart by size, field by field. A bankK.bin whose
// checksum does not match, or a bank.bin whose header is not 4, fails after the fields are shown.
int Run_Inspect(Cli_Context& Context) {
    const bool Json = Take_Option(Context.Args, QStringLiteral("--json"));
    if (Context.Args.size() != 1)
        return Usage_Error(Context, "inspect");
    const QString File_Name = QDir::toNativeSeparators(Context.Args.first());
    // The largest image is the bound: a longer file is no image, whatever it holds.
    const File_Bytes Read = Read_File_Bounded(Context.Args.first(), BankK_Size);
    if (!Read && !Read.Too_Large) {
        Context.Err << "vo40913-cli: " << Read.Error() << '\n';
        return Exit_Failed;
    }
    const QByteArray Bytes = Read ? *Read : QByteArray();
    if (const std::optional<QList<Image_Field>> Fields = Json ? Image_Fields(Bytes) : std::nullopt)
        return Inspect_Json(Context, File_Name, Bytes, *Fields);
    if (const std::optional<BankK_Contents> K = Decode_BankK(Bytes))
        return Report_BankK(Context, File_Name, *K);
    if (const std::optional<QList<Bank_Value>> Values = Decode_Bank(Bytes))
        return Report_Bank(Context, File_Name, Bytes.size(), *Values);
    const QString Size =
        Read.Too_Large ? QStringLiteral("more than %1").arg(BankK_Size) : QString::number(Bytes.size());
    Context.Err << "vo40913-cli: \"" << File_Name << "\" holds " << Size << " bytes; a bankK.bin holds "
                << BankK_Size << ", a bank.bin " << Bank_Header_Size << " or " << Bank_Stream_Size << '\n';
    return Exit_Failed;
}

} // namespace vo
