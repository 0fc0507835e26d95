#include "Par_Gen_Check.h"

#include "util/Text_Convert.h"

namespace vo {

namespace {

constexpr int Max_Byte = 255;

// Where one Modbus side keeps what the check reads.
struct Side {
    int Par_Gen::*Serial;
    int Par_Gen::*Parity;
    int Par_Gen::*Data_Bits;
    int Par_Gen::*Stop_Bits;
    QString Par_Gen::*TimeOut;
    bool Par_Gen_View::*TimeOut_Shown;
    int First_Id;
};

// Modbus RTU first: its messages win.
constexpr Side Sides[] = {
    {&Par_Gen::SER_RTU, &Par_Gen::PAR_RTU, &Par_Gen::DATA_RTU, &Par_Gen::STOP_RTU, &Par_Gen::TO_RTU,
     &Par_Gen_View::RTU_TimeOut_Shown, Msg_RTU_Data_Bits_RS232},
    {&Par_Gen::SER_ASCII, &Par_Gen::PAR_ASCII, &Par_Gen::DATA_ASCII, &Par_Gen::STOP_ASCII, &Par_Gen::TO_ASCII,
     &Par_Gen_View::ASCII_TimeOut_Shown, Msg_ASCII_Data_Bits_RS232},
};

// A number input that does not convert counts as -1, outside every allowed range.
bool In_Range(const QString& Text, int Low, int High) {
    const int Value = Text_To_Int(Text).value_or(-1);
    return Value >= Low && Value <= High;
}

int Check_Side(const Par_Gen& Set, const Par_Gen_View& View, const Side& S) {
    const int Type = Set.Device_Type_Type;
    const bool One_Stop_Bit = Entry_Text(Par_List::Stop_Bits, Type, Set.*S.Stop_Bits) == u"1 Stop Bits";
    if (Type == 0 && Entry_Text(Par_List::Serial, Type, Set.*S.Serial) == u"RS232") {
        if (Entry_Text(Par_List::Data_Bits, Type, Set.*S.Data_Bits) != u"8")
            return S.First_Id;
        if (!One_Stop_Bit)
            return S.First_Id + 1;
    }
    if (Type != 0 && Entry_Text(Par_List::Parity, Type, Set.*S.Parity) != u"NONE" && !One_Stop_Bit)
        return S.First_Id + 2;
    if (View.*S.TimeOut_Shown && !In_Range(Set.*S.TimeOut, 1, Max_TimeOut))
        return S.First_Id + 3;
    return 0;
}

} // namespace

Par_Gen_View Shown_View(const Par_Gen& Set) {
    return {Set.MODE_DEV != 0, Set.MODE_DEV == 0, Set.Device_Type_Type != 0};
}

int Controllo_Dati(const Par_Gen& Set, const Par_Gen_View& View) {
    for (const Side& S : Sides) {
        if (const int Id = Check_Side(Set, View, S))
            return Id;
    }
    if (View.Ethernet_Shown) {
        // The last four bytes are the gateway's.
        const std::size_t Checked_Bytes =
            Set.Ethernet_EN_GAT ? Address_Bytes.size() : Address_Bytes.size() - 4;
        for (std::size_t Byte = 0; Byte < Checked_Bytes; ++Byte) {
            if (!In_Range(Set.*Address_Bytes[Byte], 0, Max_Byte))
                return Msg_Address_Byte + static_cast<int>(Byte);
        }
    }
    // The images carry both TimeOuts, and their build takes integers only: a hidden one that is no
    // integer would pass here and stop every update.
    for (const Side& S : Sides) {
        if (!(View.*S.TimeOut_Shown) && !Text_To_Int(Set.*S.TimeOut))
            return S.First_Id + 3;
    }
    return 0;
}

} // namespace vo
