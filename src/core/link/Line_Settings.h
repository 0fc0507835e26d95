#pragma once

#include "Modbus_Framing.h"
#include "Modbus_Pdu.h"
#include "params/Par_Gen.h"
#include "util/Result.h"

#include <QString>

namespace vo {

// One serial line as the parameter dialog sets it.
struct Line_Settings {
    int Baud = 0;
    char Parity = 'N'; // 'N', 'O' or 'E'
    int Data_Bits = 8;
    int Stop_Bits = 1;
    bool RS485 = false;

    bool operator==(const Line_Settings&) const = default;
};

// "19200 8E1 RS485".
QString Line_Text(const Line_Settings& Line);

// Bits on the line per character: start, data, parity, stop.
int Character_Bits(const Line_Settings& Line);

// The silence that ends an RTU frame: 3.5 characters, 1750 µs above 19200 baud.
int Silence_Us(const Line_Settings& Line);

// How long Bytes take on the line, in microseconds.
qint64 Line_Time_Us(const Line_Settings& Line, int Bytes);

// The converter as its parameters make it: which side answers a master, which side is the master
// waiting for the field device and how long, and each side's line.
struct Converter_Sides {
    Modbus_Side Slave_Side = Modbus_Side::RTU;
    Modbus_Side Master_Side = Modbus_Side::ASCII;
    int Master_Timeout_Ms = 0;
    Line_Settings Rtu;
    Line_Settings Ascii;

    const Line_Settings& Line(Modbus_Side Side) const { return Side == Modbus_Side::RTU ? Rtu : Ascii; }
};

// A failure names the field that holds no usable value (a list with nothing chosen, a time-out
// that is not a number).
Result<Converter_Sides> Sides_Of(const Par_Gen& Set);

// The answer time-out a master on the converter's slave side needs by default: the converter's
// own TimeOut, the request and the answer on both lines, and a margin for the adapters.
int Default_Response_Timeout_Ms(const Converter_Sides& Sides, const Modbus_Request& Request);

// Added to the default time-out for the adapters' and the operating system's delays.
inline constexpr int Response_Margin_Ms = 100;

} // namespace vo
