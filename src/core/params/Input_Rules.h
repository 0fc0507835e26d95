#pragma once

#include "Par_Gen.h"

#include <QString>

namespace vo {

// The two Modbus sides of the converter.
enum class Modbus_Side { RTU, ASCII };

// The rule after the user chose the serial interface of Changed: only one side may be on RS232,
// so when both are, the other side goes to RS485. True when the other side was switched.
bool Check_Serial_Port(Par_Gen& Set, Modbus_Side Changed);

// The data-bits entry to choose in the list of Device_Type when the list showed Shown_Text:
// the same entry where the new list has it, otherwise 8 data bits.
int Data_Bits_Choice(const QString& Shown_Text, int Device_Type);

// A change of the device type: both data-bits fields follow it by Data_Bits_Choice.
void Set_Device_Type(Par_Gen& Set, int Device_Type);

// The user chose entry Entry of the list field Index: a new device type carries the data bits along
// (Set_Device_Type), a serial interface runs Check_Serial_Port. The one way the dialog and the
// command line change a list.
void Choose_Entry(Par_Gen& Set, int Par_Gen::*Index, int Entry);

} // namespace vo
