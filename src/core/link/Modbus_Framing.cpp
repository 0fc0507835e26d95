#include "Modbus_Framing.h"

#include "Modbus_Pdu.h"

namespace vo {

namespace {

// 256 bytes of RTU; ASCII doubles the 255 address, PDU and LRC bytes and adds ":" and CR LF.
constexpr int Max_Rtu_Bytes = 256;
constexpr int Max_Ascii_Bytes = 1 + 2 * 255 + 2;
// Shortest RTU frame: address, function, a byte, CRC.
constexpr int Min_Rtu_Bytes = 4;

bool Crc_Holds(const QByteArray& Frame) {
    if (Frame.size() < Min_Rtu_Bytes)
        return false;
    const std::uint16_t Crc = Modbus_Crc(Frame.left(Frame.size() - 2));
    return static_cast<std::uint8_t>(Frame[Frame.size() - 2]) == (Crc & 0xFF) &&
           static_cast<std::uint8_t>(Frame[Frame.size() - 1]) == (Crc >> 8);
}

Line_Chunk Rtu_Chunk(const QByteArray& Raw) {
    Line_Chunk Chunk{Line_Chunk::Kind::Garbage, Raw, {}};
    if (Crc_Holds(Raw)) {
        Chunk.Chunk_Kind = Line_Chunk::Kind::Frame;
        Chunk.Frame = {static_cast<std::uint8_t>(Raw[0]), Raw.mid(1, Raw.size() - 3)};
    } else if (Raw.size() >= Min_Rtu_Bytes && static_cast<std::uint8_t>(Raw[0]) <= Highest_Slave &&
               Is_Known_Function(static_cast<std::uint8_t>(Raw[1]) & 0x7F)) {
        Chunk.Chunk_Kind = Line_Chunk::Kind::Bad_Check;
    }
    return Chunk;
}

int Hex_Digit(char C) {
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    return -1;
}

Line_Chunk Ascii_Chunk(const QByteArray& Raw) {
    // Raw is ":" + hex + CR LF.
    Line_Chunk Chunk{Line_Chunk::Kind::Garbage, Raw, {}};
    const QByteArray Hex = Raw.mid(1, Raw.size() - 3);
    if (Hex.size() < 6 || Hex.size() % 2 != 0)
        return Chunk;
    QByteArray Bytes;
    for (int I = 0; I < Hex.size(); I += 2) {
        const int High = Hex_Digit(Hex[I]);
        const int Low = Hex_Digit(Hex[I + 1]);
        if (High < 0 || Low < 0)
            return Chunk;
        Bytes.append(static_cast<char>(High * 16 + Low));
    }
    const QByteArray Body = Bytes.left(Bytes.size() - 1);
    if (Modbus_Lrc(Body) != static_cast<std::uint8_t>(Bytes.back())) {
        Chunk.Chunk_Kind = Line_Chunk::Kind::Bad_Check;
        return Chunk;
    }
    Chunk.Chunk_Kind = Line_Chunk::Kind::Frame;
    Chunk.Frame = {static_cast<std::uint8_t>(Body[0]), Body.mid(1)};
    return Chunk;
}

} // namespace

QString Side_Name(Modbus_Side Side) {
    return Side == Modbus_Side::RTU ? QStringLiteral("RTU") : QStringLiteral("ASCII");
}

std::uint16_t Modbus_Crc(const QByteArray& Bytes) {
    std::uint16_t Crc = 0xFFFF;
    for (char Byte : Bytes) {
        Crc ^= static_cast<std::uint8_t>(Byte);
        for (int Bit = 0; Bit < 8; ++Bit)
            Crc = (Crc & 1) ? static_cast<std::uint16_t>((Crc >> 1) ^ 0xA001)
                            : static_cast<std::uint16_t>(Crc >> 1);
    }
    return Crc;
}

std::uint8_t Modbus_Lrc(const QByteArray& Bytes) {
    std::uint8_t Sum = 0;
    for (char Byte : Bytes)
        Sum = static_cast<std::uint8_t>(Sum + static_cast<std::uint8_t>(Byte));
    return static_cast<std::uint8_t>(-Sum);
}

QByteArray Framed(Modbus_Side Side, const Modbus_Frame& Frame) {
    QByteArray Body(1, static_cast<char>(Frame.Slave));
    Body.append(Frame.Pdu);
    if (Side == Modbus_Side::RTU) {
        const std::uint16_t Crc = Modbus_Crc(Body);
        Body.append(static_cast<char>(Crc & 0xFF));
        Body.append(static_cast<char>(Crc >> 8));
        return Body;
    }
    Body.append(static_cast<char>(Modbus_Lrc(Body)));
    return ':' + Body.toHex().toUpper() + "\r\n";
}

Frame_Reader::Frame_Reader(Modbus_Side Line_Side, Expected_Frames Frames)
    : Side(Line_Side), Expected(Frames) {}

int Frame_Reader::Max_Frame_Bytes(Modbus_Side Side) {
    return Side == Modbus_Side::RTU ? Max_Rtu_Bytes : Max_Ascii_Bytes;
}

void Frame_Reader::Feed(const QByteArray& Bytes, QList<Line_Chunk>& Out) {
    Held.append(Bytes);
    if (Side == Modbus_Side::RTU)
        Feed_Rtu(Out);
    else
        Feed_Ascii(Out);
}

int Frame_Reader::Rtu_Frame_Length(const QByteArray& Head) const {
    // The length of the first rule whose CRC holds; 0 while more bytes are needed.
    int Waiting = 0;
    for (const auto Rule : {&Rtu_Request_Length, &Rtu_Response_Length}) {
        if ((Rule == &Rtu_Request_Length && Expected == Expected_Frames::Answers) ||
            (Rule == &Rtu_Response_Length && Expected == Expected_Frames::Requests))
            continue;
        const int Length = Rule(Head);
        if (Length == 0 || (Length > Head.size() && Length <= Max_Rtu_Bytes))
            Waiting = 1;
        else if (Length > 0 && Length <= Head.size() && Crc_Holds(Head.left(Length)))
            return Length;
    }
    return Waiting ? 0 : -1;
}

void Frame_Reader::Feed_Rtu(QList<Line_Chunk>& Out) {
    while (!Held.isEmpty()) {
        const int Length = Rtu_Frame_Length(Held);
        if (Length > 0) {
            Out.append(Rtu_Chunk(Held.left(Length)));
            Held.remove(0, Length);
            continue;
        }
        if (Held.size() <= Max_Rtu_Bytes)
            return;
        // More than a frame without a silence: find the first frame in it, the rest is garbage.
        int At = 1;
        while (At + Min_Rtu_Bytes <= Held.size() && Rtu_Frame_Length(Held.mid(At)) <= 0)
            ++At;
        if (At + Min_Rtu_Bytes > Held.size())
            At = Held.size() - Max_Rtu_Bytes;
        Out.append({Line_Chunk::Kind::Garbage, Held.left(At), {}});
        Held.remove(0, At);
    }
}

void Frame_Reader::Feed_Ascii(QList<Line_Chunk>& Out) {
    while (!Held.isEmpty()) {
        const int Start = Held.indexOf(':');
        if (Start != 0) {
            // Bytes before a frame's start; a line end left by a frame is not worth a word.
            const QByteArray Before = Start < 0 ? Held : Held.left(Start);
            if (QByteArray(Before).replace('\r', "").replace('\n', "").size() > 0)
                Out.append({Line_Chunk::Kind::Garbage, Before, {}});
            Held.remove(0, Before.size());
            continue;
        }
        const int Next_Start = Held.indexOf(':', 1);
        const int End = Held.indexOf("\r\n");
        if (Next_Start > 0 && (End < 0 || Next_Start < End)) {
            // A frame cut short by the start of the next one.
            Out.append({Line_Chunk::Kind::Garbage, Held.left(Next_Start), {}});
            Held.remove(0, Next_Start);
            continue;
        }
        if (End < 0) {
            if (Held.size() > Max_Ascii_Bytes) {
                Out.append({Line_Chunk::Kind::Garbage, Held, {}});
                Held.clear();
            }
            return;
        }
        Out.append(Ascii_Chunk(Held.left(End + 2)));
        Held.remove(0, End + 2);
    }
}

void Frame_Reader::Silence(QList<Line_Chunk>& Out) {
    // An ASCII frame may pause between characters; only RTU ends a frame at a silence.
    if (Side != Modbus_Side::RTU || Held.isEmpty())
        return;
    // Noise just before a frame runs into it without a silence: the frame is the longest tail whose
    // CRC holds.
    int At = 0;
    while (At + Min_Rtu_Bytes <= Held.size() && !Crc_Holds(Held.mid(At)))
        ++At;
    if (At > 0 && At + Min_Rtu_Bytes <= Held.size())
        Out.append(Rtu_Chunk(Held.left(At)));
    Out.append(Rtu_Chunk(At + Min_Rtu_Bytes <= Held.size() ? Held.mid(At) : Held));
    Held.clear();
}

} // namespace vo
