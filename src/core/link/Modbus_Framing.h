#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace vo {

// The two framings of the converter's two sides.
enum class Modbus_Side { RTU, ASCII };

QString Side_Name(Modbus_Side Side); // "RTU", "ASCII"

// CRC-16 of Modbus RTU (polynomial 0xA001 reflected, start 0xFFFF); sent low byte first.
std::uint16_t Modbus_Crc(const QByteArray& Bytes);

// LRC of Modbus ASCII: the two's complement of the byte sum.
std::uint8_t Modbus_Lrc(const QByteArray& Bytes);

// A frame without its check: the slave address and the PDU.
struct Modbus_Frame {
    int Slave = 0;
    QByteArray Pdu;

    bool operator==(const Modbus_Frame&) const = default;
};

// The bytes on the line: RTU with its CRC, ASCII as ":" + hex + LRC + CR LF.
QByteArray Framed(Modbus_Side Side, const Modbus_Frame& Frame);

// What the reader made of bytes it took from the line.
struct Line_Chunk {
    enum class Kind {
        Frame,     // a frame whose check holds
        Bad_Check, // a frame whose CRC or LRC does not hold
        Garbage,   // bytes that are not a frame
    };
    Kind Chunk_Kind = Kind::Garbage;
    QByteArray Raw;
    Modbus_Frame Frame; // of Kind::Frame
};

// Which frames an RTU reader expects: their length follows from the function, and a request's
// rule differs from an answer's.
enum class Expected_Frames { Requests, Answers, Either };

// Cuts the bytes of one line into frames. RTU frames end when their length rule and CRC are
// met, or at a silence (Silence()); ASCII frames at CR LF. Holds at most one frame's worth of
// bytes: a flood of garbage is given back as garbage and the reader finds the next frame in it.
class Frame_Reader {
public:
    Frame_Reader(Modbus_Side Side, Expected_Frames Expected);

    void Feed(const QByteArray& Bytes, QList<Line_Chunk>& Out);
    // The line has been quiet for 3.5 characters: what is held is a frame or garbage.
    void Silence(QList<Line_Chunk>& Out);
    bool Holds_Bytes() const { return !Held.isEmpty(); }

    // The most bytes a frame can have on the line.
    static int Max_Frame_Bytes(Modbus_Side Side);

private:
    void Feed_Rtu(QList<Line_Chunk>& Out);
    void Feed_Ascii(QList<Line_Chunk>& Out);
    int Rtu_Frame_Length(const QByteArray& Head) const;

    Modbus_Side Side;
    Expected_Frames Expected;
    QByteArray Held;
};

} // namespace vo
