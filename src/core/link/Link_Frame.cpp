#include "Link_Frame.h"

#include "Modbus_Pdu.h"

namespace vo {

namespace {

QByteArray Csv_Field(const QString& Text) {
    QByteArray Field = Text.toUtf8();
    if (Field.contains(',') || Field.contains('"') || Field.contains('\n') || Field.contains('\r'))
        Field = '"' + Field.replace("\"", "\"\"") + '"';
    return Field;
}

} // namespace

QString Direction_Name(Link_Frame::Direction Dir) {
    switch (Dir) {
    case Link_Frame::Direction::Sent:
        return QStringLiteral("sent");
    case Link_Frame::Direction::Received:
        return QStringLiteral("received");
    case Link_Frame::Direction::Heard:
        break;
    }
    return QStringLiteral("heard");
}

QString Check_Name(const Link_Frame& Frame) {
    switch (Frame.Kind) {
    case Line_Chunk::Kind::Frame:
        return QStringLiteral("ok");
    case Line_Chunk::Kind::Bad_Check:
        return Frame.Side == Modbus_Side::RTU ? QStringLiteral("CRC error") : QStringLiteral("LRC error");
    case Line_Chunk::Kind::Garbage:
        break;
    }
    return QStringLiteral("garbage");
}

QString Raw_Text(const Link_Frame& Frame) {
    if (Frame.Side == Modbus_Side::ASCII && Frame.Kind != Line_Chunk::Kind::Garbage) {
        QString Text;
        for (char C : Frame.Raw)
            Text += C == '\r'   ? QStringLiteral("\\r")
                    : C == '\n' ? QStringLiteral("\\n")
                                : QString(QLatin1Char(C));
        return Text;
    }
    return QString::fromLatin1(Frame.Raw.toHex(' ').toUpper());
}

QString Meaning_Text(const Link_Frame& Frame) {
    if (Frame.Kind != Line_Chunk::Kind::Frame)
        return QStringLiteral("-");
    const QByteArray Body = Frame.Side == Modbus_Side::RTU
                                ? Frame.Raw.mid(1, Frame.Raw.size() - 3)
                                : QByteArray::fromHex(Frame.Raw.mid(3, Frame.Raw.size() - 7));
    const int Slave = Frame.Side == Modbus_Side::RTU ? static_cast<std::uint8_t>(Frame.Raw[0])
                                                     : QByteArray::fromHex(Frame.Raw.mid(1, 2)).at(0) & 0xFF;
    const QString Words = Frame.Frame_Role == Link_Frame::Role::Request
                              ? Describe_Request(Decode_Request(Body))
                              : Describe_Response(Decode_Response(Body));
    return QStringLiteral("slave %1: %2").arg(Slave).arg(Words);
}

QByteArray Frames_Csv(const QList<Link_Frame>& Frames) {
    QByteArray Csv("time_ms,side,direction,bytes,meaning,check,latency_ms\r\n");
    for (const Link_Frame& F : Frames) {
        Csv += QByteArray::number(static_cast<double>(F.Time_Us) / 1000.0, 'f', 3) + ',' +
               Side_Name(F.Side).toLatin1() + ',' + Direction_Name(F.Dir).toLatin1() + ',' +
               Csv_Field(Raw_Text(F)) + ',' + Csv_Field(Meaning_Text(F)) + ',' + Csv_Field(Check_Name(F)) +
               ',' +
               (F.Latency_Us >= 0 ? QByteArray::number(static_cast<double>(F.Latency_Us) / 1000.0, 'f', 3)
                                  : QByteArray()) +
               "\r\n";
    }
    return Csv;
}

} // namespace vo
