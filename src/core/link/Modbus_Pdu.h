#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace vo {

// The function codes the link test sends and understands.
namespace Modbus_Function {
inline constexpr int Read_Coils = 1;
inline constexpr int Read_Discrete_Inputs = 2;
inline constexpr int Read_Holding_Registers = 3;
inline constexpr int Read_Input_Registers = 4;
inline constexpr int Write_Single_Coil = 5;
inline constexpr int Write_Single_Register = 6;
inline constexpr int Write_Multiple_Coils = 15;
inline constexpr int Write_Multiple_Registers = 16;
} // namespace Modbus_Function

// Exception codes with a meaning of their own in the diagnosis.
namespace Modbus_Exception {
inline constexpr int Illegal_Function = 1;
inline constexpr int Illegal_Data_Address = 2;
inline constexpr int Illegal_Data_Value = 3;
inline constexpr int Gateway_Path_Unavailable = 0x0A;
inline constexpr int Gateway_Target_No_Answer = 0x0B;
} // namespace Modbus_Exception

inline constexpr int Highest_Slave = 247;

bool Is_Known_Function(int Function);
bool Is_Write_Function(int Function);
bool Is_Bit_Function(int Function);

// The largest count one request of Function may carry: 2000 coils or inputs, 125 registers read,
// 1968 coils or 123 registers written, 1 for the single writes.
int Max_Count(int Function);

// "Illegal data address", "Gateway target device failed to respond", ... ("Exception 0x4C" for others).
QString Exception_Name(int Code);

// One request as the master forms it. Values: registers, or coils as 0 and 1; empty for a read.
struct Modbus_Request {
    int Function = Modbus_Function::Read_Holding_Registers;
    int Start = 0;
    int Count = 1;
    QList<std::uint16_t> Values;
};

// Why the request cannot be sent (function, start, count or values out of range), or "".
QString Request_Problem(const Modbus_Request& Request);

QByteArray Request_Pdu(const Modbus_Request& Request);

// What a PDU says, request or answer.
struct Pdu_Meaning {
    bool Valid = false; // the PDU has the length and the fields its function asks for
    int Function = 0;   // without the exception bit
    int Exception = 0;  // the exception code of an exception answer, else 0
    int Start = -1;
    int Count = -1;
    QList<std::uint16_t> Values; // registers, or coils as 0 and 1
};

Pdu_Meaning Decode_Request(const QByteArray& Pdu);

// Count: how many coils the request asked for, since an answer's bytes round it up to eight.
Pdu_Meaning Decode_Response(const QByteArray& Pdu, int Count = -1);

// The whole length, slave address and check included, of an RTU frame that begins with Head;
// 0 when Head is too short to tell, -1 when the function has no length rule.
int Rtu_Request_Length(const QByteArray& Head);
int Rtu_Response_Length(const QByteArray& Head);

// "read holding registers 0..9", "= 1, 2, 3", "exception 0B: Gateway target device failed to respond".
QString Describe_Request(const Pdu_Meaning& Meaning);
QString Describe_Response(const Pdu_Meaning& Meaning);

// The answer a slave gives a well-formed request: the data read, or the echo of a write.
QByteArray Read_Response_Pdu(int Function, const QList<std::uint16_t>& Values);
QByteArray Write_Response_Pdu(const Modbus_Request& Request);
QByteArray Exception_Pdu(int Function, int Code);

} // namespace vo
