#include "Lng_Decode.h"

#include <QStringDecoder>
#include <array>

namespace vo {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F.
constexpr std::array<char16_t, 32> Cp1252_High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The BOM is already gone: keep a second U+FEFF as text rather than dropping it too.
constexpr auto Decode_Flags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

struct Decoded {
    QString Text;
    bool Valid;
};

Decoded Decode(QStringConverter::Encoding Encoding, QByteArrayView Bytes) {
    QStringDecoder Decoder(Encoding, Decode_Flags);
    QString Text = Decoder.decode(Bytes);
    return {std::move(Text), !Decoder.hasError()};
}

} // namespace

QString Decode_Windows_1252(QByteArrayView Bytes) {
    QString Text(Bytes.size(), Qt::Uninitialized);
    QChar* Out = Text.data();
    for (const char Byte : Bytes) {
        const auto Code = static_cast<unsigned char>(Byte);
        *Out++ = QChar(Code >= 0x80 && Code < 0xA0 ? Cp1252_High[Code - 0x80] : char16_t(Code));
    }
    return Text;
}

QString Decode_Lng_Bytes(const QByteArray& Bytes) {
    const QByteArrayView View(Bytes);
    if (View.startsWith("\xEF\xBB\xBF")) {
        // The plain conversion is the quicker one, but it would drop a second mark as well.
        const QByteArrayView Rest = View.sliced(3);
        return Rest.startsWith("\xEF\xBB\xBF") ? Decode(QStringConverter::Utf8, Rest).Text
                                               : QString::fromUtf8(Rest);
    }
    if (View.startsWith("\xFF\xFE"))
        return Decode(QStringConverter::Utf16LE, View.sliced(2)).Text;
    if (View.startsWith("\xFE\xFF"))
        return Decode(QStringConverter::Utf16BE, View.sliced(2)).Text;
    Decoded Utf8 = Decode(QStringConverter::Utf8, View);
    if (Utf8.Valid)
        return std::move(Utf8.Text);
    Utf8.Text.clear();
    return Decode_Windows_1252(View);
}

} // namespace vo
