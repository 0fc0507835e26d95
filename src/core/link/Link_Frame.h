#pragma once

#include "Modbus_Framing.h"

#include <QByteArray>
#include <QString>

namespace vo {

// One frame, or piece of garbage, seen during a link test. Kept small: a run may hold 100 000
// of them; the words are made when shown.
struct Link_Frame {
    enum class Direction : std::uint8_t { Sent, Received, Heard };
    enum class Role : std::uint8_t { Request, Answer };

    qint64 Time_Us = 0; // since the run began, when its last byte came or it was written
    qint64 Latency_Us = -1;
    QByteArray Raw;
    Modbus_Side Side = Modbus_Side::RTU;
    Direction Dir = Direction::Sent;
    Role Frame_Role = Role::Request;
    Line_Chunk::Kind Kind = Line_Chunk::Kind::Frame;
};

// "sent", "received", "heard".
QString Direction_Name(Link_Frame::Direction Dir);

// "ok", "CRC error" / "LRC error", "garbage".
QString Check_Name(const Link_Frame& Frame);

// The bytes in hex, ASCII frames as their characters.
QString Raw_Text(const Link_Frame& Frame);

// "slave 1: read holding registers 0..9", "slave 1: = 7, 8", "-" for garbage.
QString Meaning_Text(const Link_Frame& Frame);

// The frames as a table a spreadsheet reads: time in ms, side, direction, bytes, meaning, check,
// latency in ms.
QByteArray Frames_Csv(const QList<Link_Frame>& Frames);

} // namespace vo
