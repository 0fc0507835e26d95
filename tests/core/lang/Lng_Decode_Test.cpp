#include "Lang_Test_Files.h"
#include "Qt_Print.h"
#include "lang/Lng_Decode.h"
#include "lang/String_Table.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

// A text with letters outside Latin-1 and the pilcrows, as a translator writes it.
const QString Sample = QStringLiteral("STR302 = \u00B6\u0152uvre \u20AC \u017D\u00E4\u00B6");

QByteArray Encoded(QStringConverter::Encoding Encoding, const QString& Text) {
    QStringEncoder Encoder(Encoding, QStringConverter::Flag::WriteBom);
    return Encoder.encode(Text);
}

} // namespace

TEST(Decode_Lng_Bytes, Each_Byte_Order_Mark_Selects_Its_Encoding) {
    for (const auto Encoding :
         {QStringConverter::Utf8, QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        const QByteArray Bytes = Encoded(Encoding, Sample);
        EXPECT_EQ(vo::Decode_Lng_Bytes(Bytes), Sample) << QStringConverter::nameForEncoding(Encoding);
    }
}

TEST(Decode_Lng_Bytes, Without_A_Mark_Valid_Utf8_Is_Utf8_And_Anything_Else_Windows_1252) {
    EXPECT_EQ(vo::Decode_Lng_Bytes(Sample.toUtf8()), Sample);
    // The same letters in Windows-1252: 0x8C, 0x80 and 0x8E lie in the block where it differs
    // from Latin-1, and 0xE4 alone is not UTF-8.
    EXPECT_EQ(vo::Decode_Lng_Bytes(QByteArray("STR302 = \xB6\x8Cuvre \x80 \x8E\xE4\xB6")), Sample);
    // Overlong and truncated sequences are not UTF-8 either.
    EXPECT_EQ(vo::Decode_Lng_Bytes(QByteArray("\xC0\xAF")), QStringLiteral("\u00C0\u00AF"));
    EXPECT_EQ(vo::Decode_Lng_Bytes(QByteArray("ab\xC3")), QStringLiteral("ab\u00C3"));
}

TEST(Decode_Windows_1252, Maps_The_Block_That_Differs_From_Latin_1) {
    const struct {
        char Byte;
        char16_t Code;
    } Cases[] = {{'\x80', 0x20AC}, {'\x85', 0x2026}, {'\x8A', 0x0160}, {'\x93', 0x201C},
                 {'\x99', 0x2122}, {'\x9F', 0x0178}, {'\x81', 0x0081}, {'\x9D', 0x009D},
                 {'\xA0', 0x00A0}, {'\xB6', 0x00B6}, {'\xFF', 0x00FF}, {'\x7F', 0x007F}};
    for (const auto& Case : Cases) {
        const QString Text = vo::Decode_Windows_1252(QByteArrayView(&Case.Byte, 1));
        ASSERT_EQ(Text.size(), 1);
        EXPECT_EQ(Text[0].unicode(), Case.Code) << std::hex << int(static_cast<unsigned char>(Case.Byte));
    }
}

TEST(Decode_Lng_Bytes, Only_The_Mark_Itself_Is_Dropped) {
    // A second U+FEFF is text, and a UTF-16 file cut in the middle of a character still decodes.
    EXPECT_EQ(vo::Decode_Lng_Bytes(QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx")), QStringLiteral("\uFEFFx"));
    EXPECT_TRUE(vo::Decode_Lng_Bytes(QByteArray("\xFF\xFEx\x00y", 5)).startsWith(u'x'));
    EXPECT_EQ(vo::Decode_Lng_Bytes(QByteArray("\xFF\xFE", 2)), QString());
}

TEST(Load_Language_File, Reads_Each_Encoding_From_Disk) {
    QTemporaryDir Dir;
    const std::pair<const char*, QByteArray> Files[] = {
        {"utf8-bom.lng", Encoded(QStringConverter::Utf8, Sample)},
        {"utf16le.lng", Encoded(QStringConverter::Utf16LE, Sample)},
        {"utf16be.lng", Encoded(QStringConverter::Utf16BE, Sample)},
        {"utf8.lng", Sample.toUtf8()},
        {"cp1252.lng", QByteArray("STR302 = \xB6\x8Cuvre \x80 \x8E\xE4\xB6")},
    };
    for (const auto& [Name, Bytes] : Files) {
        QStringList Table;
        vo::Load_Default_Strings(Table);
        ASSERT_TRUE(vo::Load_Language_File(Table, vo_test::Write_File(Dir, QString::fromUtf8(Name), Bytes)));
        EXPECT_EQ(Table[302], QStringLiteral("\u0152uvre \u20AC \u017D\u00E4")) << Name;
    }
}
