#include "link/Modbus_Framing.h"
#include "link/Modbus_Pdu.h"

#include <gtest/gtest.h>

using namespace vo;

namespace {

QByteArray Hex(const char* Text) {
    return QByteArray::fromHex(Text);
}

// Frames as textbooks print them, so that the checks are not only this program's own idea.
TEST(Modbus_Framing, Checks_Match_Published_Frames) {
    EXPECT_EQ(Framed(Modbus_Side::RTU, {1, Hex("0300000001")}), Hex("010300000001840A"));
    EXPECT_EQ(Framed(Modbus_Side::RTU, {17, Hex("03006B0003")}), Hex("1103006B00037687"));
    EXPECT_EQ(Framed(Modbus_Side::ASCII, {1, Hex("0300000001")}), QByteArray(":010300000001FB\r\n"));
    EXPECT_EQ(Framed(Modbus_Side::ASCII, {247, Hex("031389000A")}), QByteArray(":F7031389000A60\r\n"));
}

struct Reader_Case {
    const char* Name;
    Modbus_Side Side;
    QList<QByteArray> Feeds; // each fed in turn
    bool Silence_At_End;
    QList<Line_Chunk::Kind> Expected;
};

QList<Line_Chunk::Kind> Kinds(const QList<Line_Chunk>& Chunks) {
    QList<Line_Chunk::Kind> K;
    for (const Line_Chunk& C : Chunks)
        K.append(C.Chunk_Kind);
    return K;
}

TEST(Modbus_Framing, Reader_Cuts_Frames_Checks_And_Garbage) {
    using K = Line_Chunk::Kind;
    const QByteArray Request = Hex("010300000001840A");
    const QByteArray Answer = Framed(Modbus_Side::RTU, {1, Hex("03020007")});
    QByteArray Bad = Request;
    Bad[3] = 0x10;
    const Reader_Case Cases[] = {
        {"two frames in one read", Modbus_Side::RTU, {Request + Answer}, false, {K::Frame, K::Frame}},
        {"a frame cut in three reads",
         Modbus_Side::RTU,
         {Answer.left(2), Answer.mid(2, 3), Answer.mid(5)},
         false,
         {K::Frame}},
        {"a bad CRC ends at the silence", Modbus_Side::RTU, {Bad}, true, {K::Bad_Check}},
        {"noise before a frame",
         Modbus_Side::RTU,
         {QByteArray("\xff\xfe", 2), Request},
         true,
         {K::Garbage, K::Frame}},
        {"ASCII frame in pieces", Modbus_Side::ASCII, {":0103000000", "01FB\r", "\n"}, false, {K::Frame}},
        {"ASCII bad LRC", Modbus_Side::ASCII, {":010300000001FC\r\n"}, false, {K::Bad_Check}},
        {"ASCII not hex", Modbus_Side::ASCII, {":01030000000XFB\r\n"}, false, {K::Garbage}},
        {"ASCII cut short by the next frame",
         Modbus_Side::ASCII,
         {":0103:010300000001FB\r\n"},
         false,
         {K::Garbage, K::Frame}},
        {"ASCII line ends alone are no garbage",
         Modbus_Side::ASCII,
         {"\r\n:010300000001FB\r\n\r\n"},
         false,
         {K::Frame}},
        {"ASCII silence does not end a frame", Modbus_Side::ASCII, {":0103"}, true, {}},
    };
    for (const Reader_Case& Case : Cases) {
        Frame_Reader Reader(Case.Side, Expected_Frames::Either);
        QList<Line_Chunk> Out;
        for (const QByteArray& Feed : Case.Feeds)
            Reader.Feed(Feed, Out);
        if (Case.Silence_At_End)
            Reader.Silence(Out);
        EXPECT_EQ(Kinds(Out), Case.Expected) << Case.Name;
    }
}

TEST(Modbus_Framing, Reader_Keeps_The_Frame_Bytes_And_Fields) {
    Frame_Reader Reader(Modbus_Side::ASCII, Expected_Frames::Answers);
    QList<Line_Chunk> Out;
    Reader.Feed(Framed(Modbus_Side::ASCII, {9, Hex("0302ABCD")}), Out);
    ASSERT_EQ(Out.size(), 1);
    EXPECT_EQ(Out[0].Frame, (Modbus_Frame{9, Hex("0302ABCD")}));
    EXPECT_EQ(Out[0].Raw, Framed(Modbus_Side::ASCII, {9, Hex("0302ABCD")}));
    EXPECT_FALSE(Reader.Holds_Bytes());
}

// A line flooded with noise and no silence: the reader holds no more than a frame and still finds
// the frame that follows.
TEST(Modbus_Framing, A_Flood_Of_Garbage_Stays_Bounded_And_The_Next_Frame_Is_Found) {
    for (const Modbus_Side Side : {Modbus_Side::RTU, Modbus_Side::ASCII}) {
        Frame_Reader Reader(Side, Expected_Frames::Answers);
        QList<Line_Chunk> Out;
        QByteArray Noise;
        for (int I = 0; I < 100000; ++I)
            Noise.append(static_cast<char>(Side == Modbus_Side::ASCII ? 'A' + I % 5 : (I * 37 + 11) % 251));
        for (int At = 0; At < Noise.size(); At += 64)
            Reader.Feed(Noise.mid(At, 64), Out);
        const Modbus_Frame Frame{1, Hex("03020007")};
        Reader.Feed(Framed(Side, Frame), Out);
        Reader.Silence(Out);
        ASSERT_FALSE(Out.isEmpty());
        int Garbage = 0;
        for (const Line_Chunk& C : Out.mid(0, Out.size() - 1)) {
            EXPECT_NE(C.Chunk_Kind, Line_Chunk::Kind::Frame);
            EXPECT_LE(C.Raw.size(), Frame_Reader::Max_Frame_Bytes(Side) + 64);
            Garbage += static_cast<int>(C.Raw.size());
        }
        EXPECT_EQ(Out.back().Chunk_Kind, Line_Chunk::Kind::Frame) << Side_Name(Side).toStdString();
        EXPECT_EQ(Out.back().Frame, Frame);
        EXPECT_EQ(Garbage, Noise.size()) << "every byte of noise is told";
    }
}

} // namespace
