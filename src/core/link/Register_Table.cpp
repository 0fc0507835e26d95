#include "Register_Table.h"

namespace vo {

namespace {

constexpr std::size_t Table_Size = 0x10000;

} // namespace

Register_Table::Register_Table()
    : Coils(Table_Size), Inputs(Table_Size), Holding(Table_Size), Input_Registers(Table_Size) {}

std::vector<std::uint16_t>& Register_Table::Table_Of(int Function) {
    return const_cast<std::vector<std::uint16_t>&>(std::as_const(*this).Table_Of(Function));
}

const std::vector<std::uint16_t>& Register_Table::Table_Of(int Function) const {
    using namespace Modbus_Function;
    switch (Function) {
    case Read_Coils:
    case Write_Single_Coil:
    case Write_Multiple_Coils:
        return Coils;
    case Read_Discrete_Inputs:
        return Inputs;
    case Read_Input_Registers:
        return Input_Registers;
    default:
        return Holding;
    }
}

void Register_Table::Set(int Function, int Start, const QList<std::uint16_t>& Values) {
    std::vector<std::uint16_t>& Table = Table_Of(Function);
    for (int I = 0; I < Values.size() && Start + I < static_cast<int>(Table_Size); ++I)
        Table[static_cast<std::size_t>(Start + I)] = Is_Bit_Function(Function) ? Values[I] != 0 : Values[I];
}

QList<std::uint16_t> Register_Table::Get(int Function, int Start, int Count) const {
    const std::vector<std::uint16_t>& Table = Table_Of(Function);
    QList<std::uint16_t> Values;
    for (int I = 0; I < Count && Start + I < static_cast<int>(Table_Size); ++I)
        Values.append(Table[static_cast<std::size_t>(Start + I)]);
    return Values;
}

QByteArray Register_Table::Answer(const QByteArray& Pdu) {
    const Pdu_Meaning Request = Decode_Request(Pdu);
    if (!Is_Known_Function(Request.Function))
        return Exception_Pdu(Request.Function, Modbus_Exception::Illegal_Function);
    if (!Request.Valid || Request.Count < 1 || Request.Count > Max_Count(Request.Function))
        return Exception_Pdu(Request.Function, Modbus_Exception::Illegal_Data_Value);
    if (Request.Start + Request.Count > static_cast<int>(Table_Size))
        return Exception_Pdu(Request.Function, Modbus_Exception::Illegal_Data_Address);
    if (!Is_Write_Function(Request.Function))
        return Read_Response_Pdu(Request.Function, Get(Request.Function, Request.Start, Request.Count));
    Set(Request.Function, Request.Start, Request.Values);
    return Write_Response_Pdu({Request.Function, Request.Start, Request.Count, Request.Values});
}

} // namespace vo
