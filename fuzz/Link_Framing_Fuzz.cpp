// Bytes from a serial line through the frame reader, in pieces and with silences between them as
// the input says: every byte is told once, as a frame or as garbage, and the reader never holds
// more than a frame.
#include "Fuzz_Require.h"
#include "link/Modbus_Framing.h"
#include "link/Modbus_Pdu.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size < 1)
        return 0;
    const auto Side = Data[0] & 1 ? vo::Modbus_Side::ASCII : vo::Modbus_Side::RTU;
    const auto Expected = static_cast<vo::Expected_Frames>((Data[0] >> 1) % 3);
    vo::Frame_Reader Reader(Side, Expected);
    QList<vo::Line_Chunk> Out;
    qsizetype Fed = 0;
    // Each piece: a length byte (0: a silence), then that many bytes of the line.
    for (std::size_t At = 1; At < Size;) {
        const std::size_t Length = Data[At++];
        if (Length == 0) {
            Reader.Silence(Out);
            continue;
        }
        const std::size_t Taken = std::min(Length, Size - At);
        Reader.Feed(QByteArray(reinterpret_cast<const char*>(Data + At), static_cast<qsizetype>(Taken)), Out);
        Fed += static_cast<qsizetype>(Taken);
        At += Taken;
    }
    Reader.Silence(Out);
    qsizetype Told = 0;
    for (const vo::Line_Chunk& Chunk : Out) {
        vo_fuzz::Require(!Chunk.Raw.isEmpty(), "no empty piece is told");
        vo_fuzz::Require(Chunk.Raw.size() <= vo::Frame_Reader::Max_Frame_Bytes(Side) + 256,
                         "no piece is longer than a frame and the read that overflowed it");
        Told += Chunk.Raw.size();
        if (Chunk.Chunk_Kind != vo::Line_Chunk::Kind::Frame)
            continue;
        vo_fuzz::Require(vo::Framed(Side, Chunk.Frame).toUpper() == Chunk.Raw.toUpper(),
                         "a frame is its slave and PDU framed again");
        vo::Describe_Request(vo::Decode_Request(Chunk.Frame.Pdu));
        vo::Describe_Response(vo::Decode_Response(Chunk.Frame.Pdu));
    }
    // ASCII drops line ends between frames without a word; RTU tells every byte after a silence.
    if (Side == vo::Modbus_Side::RTU)
        vo_fuzz::Require(Told == Fed && !Reader.Holds_Bytes(), "every byte is told once");
    else
        vo_fuzz::Require(Told <= Fed, "no byte is told twice");
    return 0;
}
