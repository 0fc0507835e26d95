#include "Par_Gen.h"

namespace vo {

namespace {

constexpr Par_Field List_Field(const char* Element, Par_List List, int Par_Gen::*Index) {
    return {Element, Par_Kind::List, List, Index, nullptr, nullptr};
}

constexpr Par_Field Text_Field(const char* Element, QString Par_Gen::*Text) {
    return {Element, Par_Kind::Text, Par_List::Device_Type, nullptr, Text, nullptr};
}

constexpr Par_Field Switch_Field(const char* Element, bool Par_Gen::*Flag) {
    return {Element, Par_Kind::Switch, Par_List::Device_Type, nullptr, nullptr, Flag};
}

// Device_Type_Type comes first: the data-bits fields cannot be read without it.
constexpr Par_Field Field_Table[] = {
    List_Field("Device_Type_Type", Par_List::Device_Type, &Par_Gen::Device_Type_Type),
    List_Field("MODE_DEV", Par_List::Operation_Mode, &Par_Gen::MODE_DEV),
    List_Field("SER_RTU", Par_List::Serial, &Par_Gen::SER_RTU),
    List_Field("BAUD_RTU", Par_List::Baudrate, &Par_Gen::BAUD_RTU),
    List_Field("PAR_RTU", Par_List::Parity, &Par_Gen::PAR_RTU),
    List_Field("DATA_RTU", Par_List::Data_Bits, &Par_Gen::DATA_RTU),
    List_Field("STOP_RTU", Par_List::Stop_Bits, &Par_Gen::STOP_RTU),
    Text_Field("TO_RTU", &Par_Gen::TO_RTU),
    List_Field("SER_ASCII", Par_List::Serial, &Par_Gen::SER_ASCII),
    List_Field("BAUD_ASCII", Par_List::Baudrate, &Par_Gen::BAUD_ASCII),
    List_Field("PAR_ASCII", Par_List::Parity, &Par_Gen::PAR_ASCII),
    List_Field("DATA_ASCII", Par_List::Data_Bits, &Par_Gen::DATA_ASCII),
    List_Field("STOP_ASCII", Par_List::Stop_Bits, &Par_Gen::STOP_ASCII),
    Text_Field("TO_ASCII", &Par_Gen::TO_ASCII),
    Text_Field("Ethernet_IP1", &Par_Gen::Ethernet_IP1),
    Text_Field("Ethernet_IP2", &Par_Gen::Ethernet_IP2),
    Text_Field("Ethernet_IP3", &Par_Gen::Ethernet_IP3),
    Text_Field("Ethernet_IP4", &Par_Gen::Ethernet_IP4),
    Text_Field("Ethernet_SM1", &Par_Gen::Ethernet_SM1),
    Text_Field("Ethernet_SM2", &Par_Gen::Ethernet_SM2),
    Text_Field("Ethernet_SM3", &Par_Gen::Ethernet_SM3),
    Text_Field("Ethernet_SM4", &Par_Gen::Ethernet_SM4),
    Text_Field("Ethernet_GAT1", &Par_Gen::Ethernet_GAT1),
    Text_Field("Ethernet_GAT2", &Par_Gen::Ethernet_GAT2),
    Text_Field("Ethernet_GAT3", &Par_Gen::Ethernet_GAT3),
    Text_Field("Ethernet_GAT4", &Par_Gen::Ethernet_GAT4),
    Switch_Field("Ethernet_EN_GAT", &Par_Gen::Ethernet_EN_GAT),
};

} // namespace

Par_Gen Default_Par_Gen(int Device_Type) {
    Par_Gen Set;
    Set.Device_Type_Type = Device_Type;
    Set.DATA_RTU = static_cast<int>(Data_Bits_List(Device_Type).size()) - 1;
    Set.DATA_ASCII = Set.DATA_RTU;
    return Set;
}

Par_Gen Missing_File_Par_Gen() {
    return Default_Par_Gen(1);
}

QStringList Data_Bits_List(int Device_Type) {
    if (Device_Type == 0)
        return {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")};
    return {QStringLiteral("7"), QStringLiteral("8")};
}

QStringList List_Entries(Par_List List, int Device_Type) {
    switch (List) {
    case Par_List::Device_Type:
        return {QStringLiteral("Without Ethernet Port"), QStringLiteral("With Ethernet Port")};
    case Par_List::Operation_Mode:
        return {QStringLiteral("Modbus RTU Slave <--> Modbus ASCII Master"),
                QStringLiteral("Modbus ASCII Slave <--> Modbus RTU Master")};
    case Par_List::Serial:
        return {QStringLiteral("RS232"), QStringLiteral("RS485")};
    case Par_List::Baudrate:
        return {QStringLiteral("1200"),  QStringLiteral("2400"),  QStringLiteral("4800"),
                QStringLiteral("9600"),  QStringLiteral("19200"), QStringLiteral("38400"),
                QStringLiteral("57600"), QStringLiteral("115200")};
    case Par_List::Parity:
        return {QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")};
    case Par_List::Data_Bits:
        return Data_Bits_List(Device_Type);
    case Par_List::Stop_Bits:
        return {QStringLiteral("1 Stop Bits"), QStringLiteral("2 Stop Bits")};
    }
    return {};
}

bool Is_Chosen(Par_List List, int Device_Type, int Index) {
    return Index >= 0 && Index < List_Entries(List, Device_Type).size();
}

QString Entry_Text(Par_List List, int Device_Type, int Index) {
    return Is_Chosen(List, Device_Type, Index) ? List_Entries(List, Device_Type).at(Index) : QString();
}

std::span<const Par_Field> Par_Fields() {
    return Field_Table;
}

const Par_Field* Find_Par_Field(QStringView Element) {
    for (const Par_Field& Field : Field_Table) {
        if (Element == QLatin1String(Field.Element))
            return &Field;
    }
    return nullptr;
}

QString Field_Text(const Par_Gen& Set, const Par_Field& Field) {
    switch (Field.Kind) {
    case Par_Kind::List: {
        const int Index = Set.*Field.Index;
        return QString::number(Is_Chosen(Field.List, Set.Device_Type_Type, Index) ? Index : Nothing_Chosen);
    }
    case Par_Kind::Text:
        return Set.*Field.Text;
    case Par_Kind::Switch:
        return Set.*Field.Flag ? QStringLiteral("1") : QStringLiteral("0");
    }
    return {};
}

} // namespace vo
