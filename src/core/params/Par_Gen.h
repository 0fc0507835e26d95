#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <span>

namespace vo {

// The fixed lists of the parameter set. Their entry texts are never translated.
enum class Par_List { Device_Type, Operation_Mode, Serial, Baudrate, Parity, Data_Bits, Stop_Bits };

// A list field's index when nothing is chosen; any index outside its list means the same.
inline constexpr int Nothing_Chosen = -1;

// The converter's communication parameters, one field per element of ParGen.xml. List fields
// hold the index of the chosen entry, text fields the text exactly as typed. The member
// defaults are those of a file that lacks every element.
struct Par_Gen {
    int Device_Type_Type = 0;
    int MODE_DEV = 0;

    int SER_RTU = 1;
    int BAUD_RTU = 7;
    int PAR_RTU = 0;
    int DATA_RTU = 3;
    int STOP_RTU = 0;
    QString TO_RTU = QStringLiteral("1000");

    int SER_ASCII = 1;
    int BAUD_ASCII = 7;
    int PAR_ASCII = 0;
    int DATA_ASCII = 3;
    int STOP_ASCII = 0;
    QString TO_ASCII = QStringLiteral("1000");

    QString Ethernet_IP1 = QStringLiteral("192");
    QString Ethernet_IP2 = QStringLiteral("168");
    QString Ethernet_IP3 = QStringLiteral("0");
    QString Ethernet_IP4 = QStringLiteral("10");
    QString Ethernet_SM1 = QStringLiteral("255");
    QString Ethernet_SM2 = QStringLiteral("255");
    QString Ethernet_SM3 = QStringLiteral("255");
    QString Ethernet_SM4 = QStringLiteral("0");
    QString Ethernet_GAT1 = QStringLiteral("192");
    QString Ethernet_GAT2 = QStringLiteral("168");
    QString Ethernet_GAT3 = QStringLiteral("0");
    QString Ethernet_GAT4 = QStringLiteral("1");
    bool Ethernet_EN_GAT = false;

    bool operator==(const Par_Gen&) const = default;
};

// The twelve address bytes in input order: IP Address, SubNet Mask, then Gateway, each from its
// first (leftmost) byte.
inline constexpr std::array<QString Par_Gen::*, 12> Address_Bytes = {
    &Par_Gen::Ethernet_IP1,  &Par_Gen::Ethernet_IP2,  &Par_Gen::Ethernet_IP3,  &Par_Gen::Ethernet_IP4,
    &Par_Gen::Ethernet_SM1,  &Par_Gen::Ethernet_SM2,  &Par_Gen::Ethernet_SM3,  &Par_Gen::Ethernet_SM4,
    &Par_Gen::Ethernet_GAT1, &Par_Gen::Ethernet_GAT2, &Par_Gen::Ethernet_GAT3, &Par_Gen::Ethernet_GAT4,
};

// The defaults for Device_Type: every other field as in Par_Gen, the data bits at the last entry
// (8 data bits) of that device type's list.
Par_Gen Default_Par_Gen(int Device_Type);

// What a configuration without a parameter file starts with: the variant with Ethernet port.
Par_Gen Missing_File_Par_Gen();

// The data-bits entries of a device type: "5" to "8" without Ethernet port (0), "7" and "8" for
// any other value.
QStringList Data_Bits_List(int Device_Type);

// The entry texts of List; only the data bits depend on Device_Type.
QStringList List_Entries(Par_List List, int Device_Type);

// True when Index picks an entry of List.
bool Is_Chosen(Par_List List, int Device_Type, int Index);

// The text of the chosen entry, or "" when nothing is chosen.
QString Entry_Text(Par_List List, int Device_Type, int Index);

// The three kinds of value.
enum class Par_Kind { List, Text, Switch };

// One element of ParGen.xml: its name, its kind and the member that holds its value (Index for
// a list, Text for a text, Flag for the gateway switch; the others are null).
struct Par_Field {
    const char* Element;
    Par_Kind Kind;
    Par_List List;
    int Par_Gen::*Index;
    QString Par_Gen::*Text;
    bool Par_Gen::*Flag;
};

// The 27 elements in the order of the file.
std::span<const Par_Field> Par_Fields();

// The field named Element (exact case), or null.
const Par_Field* Find_Par_Field(QStringView Element);

// The value as the file holds it: a list index in decimal ("-1" when nothing is chosen), a text
// as typed, the switch as "1" or "0".
QString Field_Text(const Par_Gen& Set, const Par_Field& Field);

} // namespace vo
