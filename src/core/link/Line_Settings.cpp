#include "Line_Settings.h"

namespace vo {

namespace {

Result<Line_Settings> Line_Of(const Par_Gen& Set, int Par_Gen::*Serial, int Par_Gen::*Baud,
                              int Par_Gen::*Parity, int Par_Gen::*Data, int Par_Gen::*Stop,
                              const QString& Side) {
    const int Type = Set.Device_Type_Type;
    const auto Missing = [&](const char* Field) {
        return Failure(QStringLiteral("the %1 side has no %2 chosen").arg(Side, QLatin1String(Field)));
    };
    if (!Is_Chosen(Par_List::Serial, Type, Set.*Serial))
        return Missing("line type");
    if (!Is_Chosen(Par_List::Baudrate, Type, Set.*Baud))
        return Missing("baud rate");
    if (!Is_Chosen(Par_List::Parity, Type, Set.*Parity))
        return Missing("parity");
    if (!Is_Chosen(Par_List::Data_Bits, Type, Set.*Data))
        return Missing("data bits");
    if (!Is_Chosen(Par_List::Stop_Bits, Type, Set.*Stop))
        return Missing("stop bits");
    Line_Settings Line;
    Line.Baud = Entry_Text(Par_List::Baudrate, Type, Set.*Baud).toInt();
    Line.Parity = "NOE"[Set.*Parity];
    Line.Data_Bits = Entry_Text(Par_List::Data_Bits, Type, Set.*Data).toInt();
    Line.Stop_Bits = Set.*Stop + 1;
    Line.RS485 = Set.*Serial == 1;
    return Line;
}

} // namespace

QString Line_Text(const Line_Settings& Line) {
    return QStringLiteral("%1 %2%3%4 %5")
        .arg(Line.Baud)
        .arg(Line.Data_Bits)
        .arg(QLatin1Char(Line.Parity))
        .arg(Line.Stop_Bits)
        .arg(Line.RS485 ? QStringLiteral("RS485") : QStringLiteral("RS232"));
}

int Character_Bits(const Line_Settings& Line) {
    return 1 + Line.Data_Bits + (Line.Parity == 'N' ? 0 : 1) + Line.Stop_Bits;
}

qint64 Line_Time_Us(const Line_Settings& Line, int Bytes) {
    return Line.Baud > 0 ? qint64(Bytes) * Character_Bits(Line) * 1000000 / Line.Baud : 0;
}

int Silence_Us(const Line_Settings& Line) {
    if (Line.Baud > 19200 || Line.Baud <= 0)
        return 1750;
    return static_cast<int>(Line_Time_Us(Line, 7) / 2);
}

Result<Converter_Sides> Sides_Of(const Par_Gen& Set) {
    if (Set.MODE_DEV != 0 && Set.MODE_DEV != 1)
        return Failure(QStringLiteral("no operation mode is chosen"));
    Result<Line_Settings> Rtu = Line_Of(Set, &Par_Gen::SER_RTU, &Par_Gen::BAUD_RTU, &Par_Gen::PAR_RTU,
                                        &Par_Gen::DATA_RTU, &Par_Gen::STOP_RTU, QStringLiteral("Modbus RTU"));
    if (!Rtu)
        return Failure(Rtu.Error());
    Result<Line_Settings> Ascii =
        Line_Of(Set, &Par_Gen::SER_ASCII, &Par_Gen::BAUD_ASCII, &Par_Gen::PAR_ASCII, &Par_Gen::DATA_ASCII,
                &Par_Gen::STOP_ASCII, QStringLiteral("Modbus ASCII"));
    if (!Ascii)
        return Failure(Ascii.Error());
    Converter_Sides Sides;
    Sides.Rtu = *Rtu;
    Sides.Ascii = *Ascii;
    const bool Rtu_Slave = Set.MODE_DEV == 0;
    Sides.Slave_Side = Rtu_Slave ? Modbus_Side::RTU : Modbus_Side::ASCII;
    Sides.Master_Side = Rtu_Slave ? Modbus_Side::ASCII : Modbus_Side::RTU;
    const QString& Timeout = Rtu_Slave ? Set.TO_ASCII : Set.TO_RTU;
    bool Number = false;
    Sides.Master_Timeout_Ms = Timeout.toInt(&Number);
    if (!Number || Sides.Master_Timeout_Ms < 0)
        return Failure(QStringLiteral("the time-out \"%1\" is not a number of milliseconds").arg(Timeout));
    return Sides;
}

int Default_Response_Timeout_Ms(const Converter_Sides& Sides, const Modbus_Request& Request) {
    // The longest answer the request can get: its data read, or the echo of a write.
    const int Pdu_Out = Request_Pdu(Request).size();
    const int Pdu_Back =
        Is_Write_Function(Request.Function)
            ? 5
            : 2 + (Is_Bit_Function(Request.Function) ? (Request.Count + 7) / 8 : 2 * Request.Count);
    const auto On_Line = [&](Modbus_Side Side, int Pdu) {
        const int Bytes = Side == Modbus_Side::RTU ? 1 + Pdu + 2 : 1 + 2 * (1 + Pdu + 1) + 2;
        return Line_Time_Us(Sides.Line(Side), Bytes) + Silence_Us(Sides.Line(Side));
    };
    const qint64 Lines_Us = On_Line(Sides.Slave_Side, Pdu_Out) + On_Line(Sides.Master_Side, Pdu_Out) +
                            On_Line(Sides.Master_Side, Pdu_Back) + On_Line(Sides.Slave_Side, Pdu_Back);
    return Sides.Master_Timeout_Ms + static_cast<int>((Lines_Us + 999) / 1000) + Response_Margin_Ms;
}

} // namespace vo
