#include "Image_Builder.h"

#include "Little_Endian.h"
#include "params/Par_Gen.h"
#include "params/Par_Gen_File.h"
#include "util/Config_Path.h"
#include "util/Text_Convert.h"
#include "util/Xml_Doc.h"

#include <QDir>
#include <QFileInfo>

namespace vo {

namespace {

// Indexes into Bank_Leading_Fields and the values read for them.
namespace Lead {
enum : std::size_t {
    MODE_DEV,
    SER_RTU,
    BAUD_RTU,
    PAR_RTU,
    TO_RTU,
    SER_ASCII,
    BAUD_ASCII,
    PAR_ASCII,
    TO_ASCII
};
} // namespace Lead
using Leading_Values = std::array<int, Bank_Leading_Fields.size()>;

// Where the elements of one side of the converter go.
struct Side {
    std::size_t Ser, Baud, Par, Timeout; // Lead indexes
    Bank_Field Data, Stop;
    std::size_t Rs485_Slot;
    std::uint8_t Rs485_Bit;
    std::size_t Timeout_Offset;
};

// The RTU side first: when both sides share the RS232 slot, the ASCII values are written last and stay.
constexpr Side Sides[] = {
    {Lead::SER_RTU, Lead::BAUD_RTU, Lead::PAR_RTU, Lead::TO_RTU, Bank_DATA_RTU, Bank_STOP_RTU, RTU_RS485_Slot,
     Mode_Bit_RTU_RS485, BankK_Offset::RTU_Timeout},
    {Lead::SER_ASCII, Lead::BAUD_ASCII, Lead::PAR_ASCII, Lead::TO_ASCII, Bank_DATA_ASCII, Bank_STOP_ASCII,
     ASCII_RS485_Slot, Mode_Bit_ASCII_RS485, BankK_Offset::ASCII_Timeout},
};

// The codes bank.bin holds for a side on RS232, and for an RS485 side whose element is missing:
// 8 data bits of the variant without Ethernet port and one stop bit.
constexpr int Data_Code_8_Bits = 3;
constexpr int Stop_Code_1_Bit = 0;

// The dialog's "2 Stop Bits" entry and the device's code for it.
constexpr int Two_Stop_Bits_Entry = 1;
constexpr std::uint8_t Two_Stop_Bits_Code = 2;

// The dialog's entry "8" of the variant with Ethernet port; every other entry gives 7 data bits.
constexpr int Eight_Data_Bits_Entry = 1;

constexpr std::array<std::uint32_t, 8> Baud_Rates = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// Where the IP Address, SubNet Mask and Gateway go, in the order of Address_Bytes.
constexpr std::size_t Address_Offsets[] = {BankK_Offset::IP_Address, BankK_Offset::Subnet_Mask,
                                           BankK_Offset::Gateway};

// An element's integer, or Default when it is missing or not an integer.
int Int_Or(const pugi::xml_node& Root, const char* Name, int Default) {
    const std::optional<QString> Text = Child_Text(Root, Name);
    return Text ? Text_To_Int_Def(*Text, Default) : Default;
}

const char* Element_Of(QString Par_Gen::*Text) {
    for (const Par_Field& Field : Par_Fields()) {
        if (Field.Text == Text)
            return Field.Element;
    }
    return "";
}

// Exactly the text "1"; "01" or " 1" is not.
bool Is_One(const pugi::xml_node& Root, const char* Name) {
    return Child_Text(Root, Name) == QStringLiteral("1");
}

std::uint32_t Baud_Rate(int Index) {
    return Index >= 0 && static_cast<std::size_t>(Index) < Baud_Rates.size()
               ? Baud_Rates[Index]
               : static_cast<std::uint32_t>(Index);
}

Status Read_Leading(const pugi::xml_node& Root, const QString& Path, Leading_Values& Values) {
    const QString File = QDir::toNativeSeparators(Path);
    // Every element would count as missing; say why instead.
    if (Root.type() != pugi::node_element)
        return Failure(Root_Not_First_Text(Path));
    for (std::size_t I = 0; I < Bank_Leading_Fields.size(); ++I) {
        const char* Name = Bank_Leading_Fields[I].Name;
        const std::optional<QString> Text = Child_Text(Root, Name);
        if (!Text)
            return Failure(
                QStringLiteral("\"%1\": the element %2 is missing").arg(File, QLatin1String(Name)));
        const std::optional<int> Value = Text_To_Int(*Text);
        if (!Value)
            return Failure(QStringLiteral("\"%1\": the element %2 holds \"%3\", which is not an integer")
                               .arg(File, QLatin1String(Name), Cut_For_Message(*Text)));
        Values[I] = *Value;
    }
    return {};
}

void Build_Bank_Stream(Config_Image& Image, const pugi::xml_node& Root, const Leading_Values& Values) {
    for (std::size_t I = 0; I < Bank_Leading_Fields.size(); ++I) {
        const Bank_Field& Field = Bank_Leading_Fields[I];
        Put_Le(Image.Bank_Buffer, Field.Offset, static_cast<std::uint32_t>(Values[I]), Field.Size);
    }
    for (const Side& S : Sides) {
        // The stored low byte decides, so "01" and "257" count as RS485 here.
        const bool Rs485 = Image.Bank_Buffer[Bank_Leading_Fields[S.Ser].Offset] == 1;
        const int Data = Rs485 ? Int_Or(Root, S.Data.Name, Data_Code_8_Bits) : Data_Code_8_Bits;
        auto Stop =
            static_cast<std::uint8_t>(Rs485 ? Int_Or(Root, S.Stop.Name, Stop_Code_1_Bit) : Stop_Code_1_Bit);
        if (Stop == Two_Stop_Bits_Entry)
            Stop = Two_Stop_Bits_Code;
        Put_Le(Image.Bank_Buffer, S.Data.Offset, static_cast<std::uint32_t>(Data), S.Data.Size);
        Put_Le(Image.Bank_Buffer, S.Stop.Offset, Stop, S.Stop.Size);
    }
    Image.Bank_Length = static_cast<int>(Bank_Stream_Size);
}

void Fill_BankK(BankK_Block& Block, const pugi::xml_node& Root, const Leading_Values& Values) {
    std::uint8_t Mode_Flags = Is_One(Root, "MODE_DEV") ? Mode_Bit_Mode_1 : 0;
    for (const Side& S : Sides) {
        // Unlike bank.bin, only the exact text "1" means RS485 here.
        const bool Rs485 = Is_One(Root, Bank_Leading_Fields[S.Ser].Name);
        const std::size_t Slot = Rs485 ? S.Rs485_Slot : RS232_Slot;
        if (Rs485)
            Mode_Flags |= S.Rs485_Bit;
        const int Stop = Int_Or(Root, S.Stop.Name, Stop_Code_1_Bit);
        Put_Le(Block.Bytes, BankK_Offset::Serial_Baud + 4 * Slot, Baud_Rate(Values[S.Baud]), 4);
        Put_Le(Block.Bytes, BankK_Offset::Serial_Parity + Slot, static_cast<std::uint32_t>(Values[S.Par]), 1);
        Block.Bytes[BankK_Offset::Serial_Data_Bits + Slot] =
            Int_Or(Root, S.Data.Name, Eight_Data_Bits_Entry) == Eight_Data_Bits_Entry ? 8 : 7;
        Put_Le(Block.Bytes, BankK_Offset::Serial_Stop_Bits + Slot,
               Stop == Two_Stop_Bits_Entry ? Two_Stop_Bits_Code : static_cast<std::uint32_t>(Stop), 1);
        Put_Le(Block.Bytes, S.Timeout_Offset, static_cast<std::uint32_t>(Values[S.Timeout]), 2);
    }
    Block.Bytes[BankK_Offset::Mode_Flags] = Mode_Flags;

    // A missing byte takes the parameter set's default.
    const Par_Gen Defaults;
    for (std::size_t Byte = 0; Byte < Address_Bytes.size(); ++Byte) {
        const int Value =
            Int_Or(Root, Element_Of(Address_Bytes[Byte]), Text_To_Int_Def(Defaults.*Address_Bytes[Byte], 0));
        Put_Le(Block.Bytes, Address_Offsets[Byte / 4] + Byte % 4, static_cast<std::uint32_t>(Value), 1);
    }
    if (!Is_One(Root, "Ethernet_EN_GAT"))
        Put_Le(Block.Bytes, BankK_Offset::Gateway, 0xFFFFFFFF, 4);
}

} // namespace

Image_Build Build_Image(const QString& ParGen_File) {
    Config_Image Image;
    Put_Le(Image.Bank_Buffer, Bank_Header.Offset, Bank_Header_Value, Bank_Header.Size);
    Image.Bank_Length = static_cast<int>(Bank_Header_Size);
    BankK_Block Block;
    Set_BankK_Defaults(Block);

    if (QFileInfo::exists(ParGen_File)) {
        // One load serves both images, so they always come from the same content.
        pugi::xml_document Doc;
        if (const Status Parsed = Load_Xml_File(ParGen_File, Doc); !Parsed)
            return Failure(Parsed.Error());
        const pugi::xml_node Root = First_Top_Node(Doc);
        Leading_Values Values{};
        if (const Status Read = Read_Leading(Root, ParGen_File, Values); !Read)
            return Failure(Read.Error());
        Build_Bank_Stream(Image, Root, Values);
        Fill_BankK(Block, Root, Values);
    }
    Image.BankK_Length = Append_BankK(Block, Image.BankK_Buffer, 0);
    return Image;
}

} // namespace vo
