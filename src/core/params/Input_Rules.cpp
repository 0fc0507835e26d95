#include "Input_Rules.h"

namespace vo {

namespace {

const QString RS232 = QStringLiteral("RS232");
const QString RS485 = QStringLiteral("RS485");
const QString Eight_Bits = QStringLiteral("8");

} // namespace

bool Check_Serial_Port(Par_Gen& Set, Modbus_Side Changed) {
    const int Chosen = Changed == Modbus_Side::RTU ? Set.SER_RTU : Set.SER_ASCII;
    int& Other = Changed == Modbus_Side::RTU ? Set.SER_ASCII : Set.SER_RTU;
    if (Entry_Text(Par_List::Serial, Set.Device_Type_Type, Chosen) != RS232 ||
        Entry_Text(Par_List::Serial, Set.Device_Type_Type, Other) != RS232)
        return false;
    Other = static_cast<int>(List_Entries(Par_List::Serial, Set.Device_Type_Type).indexOf(RS485));
    return true;
}

int Data_Bits_Choice(const QString& Shown_Text, int Device_Type) {
    const QStringList Entries = Data_Bits_List(Device_Type);
    const qsizetype Same = Entries.indexOf(Shown_Text);
    return static_cast<int>(Same >= 0 ? Same : Entries.indexOf(Eight_Bits));
}

void Set_Device_Type(Par_Gen& Set, int Device_Type) {
    for (int Par_Gen::*Data_Bits : {&Par_Gen::DATA_RTU, &Par_Gen::DATA_ASCII}) {
        const QString Shown = Entry_Text(Par_List::Data_Bits, Set.Device_Type_Type, Set.*Data_Bits);
        Set.*Data_Bits = Data_Bits_Choice(Shown, Device_Type);
    }
    Set.Device_Type_Type = Device_Type;
}

void Choose_Entry(Par_Gen& Set, int Par_Gen::*Index, int Entry) {
    if (Index == &Par_Gen::Device_Type_Type) {
        Set_Device_Type(Set, Entry);
        return;
    }
    Set.*Index = Entry;
    if (Index == &Par_Gen::SER_RTU)
        Check_Serial_Port(Set, Modbus_Side::RTU);
    else if (Index == &Par_Gen::SER_ASCII)
        Check_Serial_Port(Set, Modbus_Side::ASCII);
}

} // namespace vo
