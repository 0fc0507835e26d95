#include "Modbus_Pdu.h"

#include <QStringList>

namespace vo {

namespace {

using namespace Modbus_Function;

std::uint16_t Word_At(const QByteArray& Bytes, int At) {
    return static_cast<std::uint16_t>((static_cast<std::uint8_t>(Bytes[At]) << 8) |
                                      static_cast<std::uint8_t>(Bytes[At + 1]));
}

void Append_Word(QByteArray& Bytes, int Value) {
    Bytes.append(static_cast<char>((Value >> 8) & 0xFF));
    Bytes.append(static_cast<char>(Value & 0xFF));
}

int Byte_At(const QByteArray& Bytes, int At) {
    return static_cast<std::uint8_t>(Bytes[At]);
}

QByteArray Packed_Bits(const QList<std::uint16_t>& Bits) {
    QByteArray Packed((Bits.size() + 7) / 8, '\0');
    for (int I = 0; I < Bits.size(); ++I)
        if (Bits[I])
            Packed[I / 8] = static_cast<char>(Packed[I / 8] | (1 << (I % 8)));
    return Packed;
}

QList<std::uint16_t> Unpacked_Bits(const QByteArray& Bytes, int From, int Count) {
    QList<std::uint16_t> Bits;
    for (int I = 0; I < Count; ++I)
        Bits.append((Byte_At(Bytes, From + I / 8) >> (I % 8)) & 1);
    return Bits;
}

QList<std::uint16_t> Words(const QByteArray& Bytes, int From, int Count) {
    QList<std::uint16_t> Values;
    for (int I = 0; I < Count; ++I)
        Values.append(Word_At(Bytes, From + 2 * I));
    return Values;
}

QString Values_Text(const QList<std::uint16_t>& Values) {
    // A long read is shown by its first values; the raw bytes hold the rest.
    constexpr int Shown = 16;
    QStringList Parts;
    for (int I = 0; I < Values.size() && I < Shown; ++I)
        Parts.append(QString::number(Values[I]));
    if (Values.size() > Shown)
        Parts.append(QStringLiteral("… (%1 in all)").arg(Values.size()));
    return Parts.join(QStringLiteral(", "));
}

QString Function_Name(int Function) {
    switch (Function) {
    case Read_Coils:
        return QStringLiteral("read coils");
    case Read_Discrete_Inputs:
        return QStringLiteral("read discrete inputs");
    case Read_Holding_Registers:
        return QStringLiteral("read holding registers");
    case Read_Input_Registers:
        return QStringLiteral("read input registers");
    case Write_Single_Coil:
        return QStringLiteral("write coil");
    case Write_Single_Register:
        return QStringLiteral("write register");
    case Write_Multiple_Coils:
        return QStringLiteral("write coils");
    case Write_Multiple_Registers:
        return QStringLiteral("write registers");
    default:
        return QStringLiteral("function %1").arg(Function);
    }
}

QString Hex_Byte(int Value) {
    return QStringLiteral("%1").arg(Value, 2, 16, QLatin1Char('0')).toUpper();
}

QString Range_Text(int Start, int Count) {
    return Count == 1 ? QString::number(Start) : QStringLiteral("%1..%2").arg(Start).arg(Start + Count - 1);
}

} // namespace

bool Is_Known_Function(int Function) {
    return (Function >= Read_Coils && Function <= Write_Single_Register) ||
           Function == Write_Multiple_Coils || Function == Write_Multiple_Registers;
}

bool Is_Write_Function(int Function) {
    return Function == Write_Single_Coil || Function == Write_Single_Register ||
           Function == Write_Multiple_Coils || Function == Write_Multiple_Registers;
}

bool Is_Bit_Function(int Function) {
    return Function == Read_Coils || Function == Read_Discrete_Inputs || Function == Write_Single_Coil ||
           Function == Write_Multiple_Coils;
}

int Max_Count(int Function) {
    switch (Function) {
    case Read_Coils:
    case Read_Discrete_Inputs:
        return 2000;
    case Read_Holding_Registers:
    case Read_Input_Registers:
        return 125;
    case Write_Multiple_Coils:
        return 1968;
    case Write_Multiple_Registers:
        return 123;
    case Write_Single_Coil:
    case Write_Single_Register:
        return 1;
    default:
        return 0;
    }
}

QString Exception_Name(int Code) {
    switch (Code) {
    case 0x01:
        return QStringLiteral("Illegal function");
    case 0x02:
        return QStringLiteral("Illegal data address");
    case 0x03:
        return QStringLiteral("Illegal data value");
    case 0x04:
        return QStringLiteral("Server device failure");
    case 0x05:
        return QStringLiteral("Acknowledge");
    case 0x06:
        return QStringLiteral("Server device busy");
    case 0x08:
        return QStringLiteral("Memory parity error");
    case 0x0A:
        return QStringLiteral("Gateway path unavailable");
    case 0x0B:
        return QStringLiteral("Gateway target device failed to respond");
    default:
        return QStringLiteral("Exception 0x") + Hex_Byte(Code);
    }
}

QString Request_Problem(const Modbus_Request& R) {
    if (!Is_Known_Function(R.Function))
        return QStringLiteral("function %1 is not one of 1, 2, 3, 4, 5, 6, 15, 16").arg(R.Function);
    if (R.Start < 0 || R.Start > 0xFFFF)
        return QStringLiteral("start address %1 is not between 0 and 65535").arg(R.Start);
    const int Limit = Max_Count(R.Function);
    if (R.Count < 1 || R.Count > Limit)
        return Limit == 1 ? QStringLiteral("function %1 writes exactly one value").arg(R.Function)
                          : QStringLiteral("function %1 takes a count from 1 to %2, not %3")
                                .arg(R.Function)
                                .arg(Limit)
                                .arg(R.Count);
    if (R.Start + R.Count > 0x10000)
        return QStringLiteral("addresses %1 to %2 go beyond 65535").arg(R.Start).arg(R.Start + R.Count - 1);
    if (Is_Write_Function(R.Function) && R.Values.size() != R.Count)
        return QStringLiteral("%1 values for a count of %2").arg(R.Values.size()).arg(R.Count);
    return {};
}

QByteArray Request_Pdu(const Modbus_Request& R) {
    QByteArray Pdu(1, static_cast<char>(R.Function));
    Append_Word(Pdu, R.Start);
    switch (R.Function) {
    case Write_Single_Coil:
        Append_Word(Pdu, R.Values.value(0) ? 0xFF00 : 0x0000);
        break;
    case Write_Single_Register:
        Append_Word(Pdu, R.Values.value(0));
        break;
    case Write_Multiple_Coils: {
        Append_Word(Pdu, R.Count);
        const QByteArray Bits = Packed_Bits(R.Values);
        Pdu.append(static_cast<char>(Bits.size()));
        Pdu.append(Bits);
        break;
    }
    case Write_Multiple_Registers:
        Append_Word(Pdu, R.Count);
        Pdu.append(static_cast<char>(2 * R.Values.size()));
        for (std::uint16_t Value : R.Values)
            Append_Word(Pdu, Value);
        break;
    default:
        Append_Word(Pdu, R.Count);
    }
    return Pdu;
}

Pdu_Meaning Decode_Request(const QByteArray& Pdu) {
    Pdu_Meaning M;
    if (Pdu.isEmpty())
        return M;
    M.Function = Byte_At(Pdu, 0);
    if (!Is_Known_Function(M.Function) || Pdu.size() < 5)
        return M;
    M.Start = Word_At(Pdu, 1);
    switch (M.Function) {
    case Write_Single_Coil: {
        const std::uint16_t Value = Word_At(Pdu, 3);
        M.Count = 1;
        M.Values = {static_cast<std::uint16_t>(Value == 0xFF00 ? 1 : 0)};
        M.Valid = Pdu.size() == 5 && (Value == 0xFF00 || Value == 0);
        return M;
    }
    case Write_Single_Register:
        M.Count = 1;
        M.Values = {Word_At(Pdu, 3)};
        M.Valid = Pdu.size() == 5;
        return M;
    case Write_Multiple_Coils:
    case Write_Multiple_Registers: {
        if (Pdu.size() < 6)
            return M;
        M.Count = Word_At(Pdu, 3);
        const int Bytes = Byte_At(Pdu, 5);
        const int Needed = M.Function == Write_Multiple_Coils ? (M.Count + 7) / 8 : 2 * M.Count;
        if (M.Count < 1 || M.Count > Max_Count(M.Function) || Bytes != Needed || Pdu.size() != 6 + Bytes)
            return M;
        M.Values =
            M.Function == Write_Multiple_Coils ? Unpacked_Bits(Pdu, 6, M.Count) : Words(Pdu, 6, M.Count);
        M.Valid = true;
        return M;
    }
    default:
        M.Count = Word_At(Pdu, 3);
        M.Valid = Pdu.size() == 5;
        return M;
    }
}

Pdu_Meaning Decode_Response(const QByteArray& Pdu, int Count) {
    Pdu_Meaning M;
    if (Pdu.isEmpty())
        return M;
    M.Function = Byte_At(Pdu, 0) & 0x7F;
    if (Byte_At(Pdu, 0) & 0x80) {
        M.Valid = Pdu.size() == 2;
        M.Exception = Pdu.size() >= 2 ? Byte_At(Pdu, 1) : 0;
        return M;
    }
    if (!Is_Known_Function(M.Function))
        return M;
    if (Is_Write_Function(M.Function)) {
        const Pdu_Meaning Echo = Decode_Request(Pdu.left(5));
        M.Start = Echo.Start;
        const bool Single = M.Function == Write_Single_Coil || M.Function == Write_Single_Register;
        M.Count = Single ? 1 : Pdu.size() >= 5 ? Word_At(Pdu, 3) : -1;
        if (M.Function == Write_Single_Coil || M.Function == Write_Single_Register)
            M.Values = Echo.Values;
        M.Valid = Pdu.size() == 5 && (M.Function != Write_Single_Coil || Echo.Valid);
        return M;
    }
    if (Pdu.size() < 2)
        return M;
    const int Bytes = Byte_At(Pdu, 1);
    if (Pdu.size() != 2 + Bytes)
        return M;
    if (Is_Bit_Function(M.Function)) {
        M.Count = Count >= 0 && (Count + 7) / 8 == Bytes ? Count : 8 * Bytes;
        M.Values = Unpacked_Bits(Pdu, 2, M.Count);
        M.Valid = Count < 0 || (Count + 7) / 8 == Bytes;
    } else {
        M.Count = Bytes / 2;
        M.Values = Words(Pdu, 2, M.Count);
        M.Valid = Bytes % 2 == 0 && (Count < 0 || Count == M.Count);
    }
    return M;
}

int Rtu_Request_Length(const QByteArray& Head) {
    if (Head.size() < 2)
        return 0;
    const int Function = Byte_At(Head, 1);
    if (Function == Write_Multiple_Coils || Function == Write_Multiple_Registers)
        return Head.size() < 7 ? 0 : 9 + Byte_At(Head, 6);
    return Is_Known_Function(Function) ? 8 : -1;
}

int Rtu_Response_Length(const QByteArray& Head) {
    if (Head.size() < 2)
        return 0;
    const int Function = Byte_At(Head, 1);
    if (Function & 0x80)
        return 5;
    if (!Is_Known_Function(Function))
        return -1;
    if (Is_Write_Function(Function))
        return 8;
    return Head.size() < 3 ? 0 : 5 + Byte_At(Head, 2);
}

QString Describe_Request(const Pdu_Meaning& M) {
    if (!M.Valid)
        return QStringLiteral("not a request of a known function (%1)").arg(Function_Name(M.Function));
    QString Text = Function_Name(M.Function) + u' ' + Range_Text(M.Start, M.Count);
    if (Is_Write_Function(M.Function))
        Text += QStringLiteral(" = ") + Values_Text(M.Values);
    return Text;
}

QString Describe_Response(const Pdu_Meaning& M) {
    if (M.Exception)
        return QStringLiteral("exception %1: %2").arg(Hex_Byte(M.Exception), Exception_Name(M.Exception));
    if (!M.Valid)
        return QStringLiteral("malformed answer to %1").arg(Function_Name(M.Function));
    if (Is_Write_Function(M.Function))
        return QStringLiteral("%1 %2 done").arg(Function_Name(M.Function), Range_Text(M.Start, M.Count));
    return QStringLiteral("= ") + Values_Text(M.Values);
}

QByteArray Read_Response_Pdu(int Function, const QList<std::uint16_t>& Values) {
    QByteArray Pdu(1, static_cast<char>(Function));
    if (Is_Bit_Function(Function)) {
        const QByteArray Bits = Packed_Bits(Values);
        Pdu.append(static_cast<char>(Bits.size()));
        Pdu.append(Bits);
        return Pdu;
    }
    Pdu.append(static_cast<char>(2 * Values.size()));
    for (std::uint16_t Value : Values)
        Append_Word(Pdu, Value);
    return Pdu;
}

QByteArray Write_Response_Pdu(const Modbus_Request& R) {
    if (R.Function == Write_Single_Coil || R.Function == Write_Single_Register)
        return Request_Pdu(R);
    QByteArray Pdu(1, static_cast<char>(R.Function));
    Append_Word(Pdu, R.Start);
    Append_Word(Pdu, R.Count);
    return Pdu;
}

QByteArray Exception_Pdu(int Function, int Code) {
    QByteArray Pdu;
    Pdu.append(static_cast<char>(Function | 0x80));
    Pdu.append(static_cast<char>(Code));
    return Pdu;
}

} // namespace vo
