#pragma once

#include "Par_Gen.h"

namespace vo {

// Messages of the check on confirmation (ids of Lang_Strings). Each side has four in the order
// data bits on RS232, stop bits on RS232, stop bits with parity, TimeOut; the twelve address
// bytes follow in input order from Msg_Address_Byte.
inline constexpr int Msg_RTU_Data_Bits_RS232 = 479;
inline constexpr int Msg_ASCII_Data_Bits_RS232 = 483;
inline constexpr int Msg_Address_Byte = 487;
// The TimeOut message of each side.
inline constexpr int Msg_RTU_TimeOut = Msg_RTU_Data_Bits_RS232 + 3;
inline constexpr int Msg_ASCII_TimeOut = Msg_ASCII_Data_Bits_RS232 + 3;

// The longest TimeOut a master side may wait for an answer, in ms.
inline constexpr int Max_TimeOut = 60000;

// What the parameter dialog shows: the checks skip every input it hides.
struct Par_Gen_View {
    bool RTU_TimeOut_Shown = false;
    bool ASCII_TimeOut_Shown = false;
    bool Ethernet_Shown = false;
};

// The view that follows from the values: only the master side's TimeOut (RTU in any operation
// mode but 0), and the Ethernet panel for any device type but 0 ("Without Ethernet Port").
Par_Gen_View Shown_View(const Par_Gen& Set);

// The checks on confirmation, in their fixed order, over the values held and what is shown (the
// gateway bytes count only while Ethernet_EN_GAT is ticked). Last, a hidden TimeOut must still be
// an integer, as the image build needs one; it fails with its side's TimeOut message. Gives 0 when
// every rule passes, otherwise the message id of the first rule that fails.
int Controllo_Dati(const Par_Gen& Set, const Par_Gen_View& View);

} // namespace vo
