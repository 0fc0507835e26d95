#pragma once

#include <QStringView>
#include <QtGlobal>
#include <cstring>

namespace vo {

// Where What first stands in Text at or after From, or -1. The lines of a language file are
// short: Qt's search costs more in setting up than in searching them, and a plain loop looks at
// one character at a time. The C library's memchr finds the low byte with wide loads; a hit counts
// only at the start of a character whose high byte matches too.
inline qsizetype Find_Char(QStringView Text, char16_t What, qsizetype From = 0) {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    const auto* const Bytes = reinterpret_cast<const unsigned char*>(Text.utf16());
    const auto Size = static_cast<std::size_t>(Text.size()) * 2;
    const auto Low = static_cast<unsigned char>(What & 0xFF);
    const auto High = static_cast<unsigned char>(What >> 8);
    for (auto At = static_cast<std::size_t>(From) * 2; At < Size;) {
        const void* const Hit = std::memchr(Bytes + At, Low, Size - At);
        if (!Hit)
            return -1;
        const auto Offset = static_cast<std::size_t>(static_cast<const unsigned char*>(Hit) - Bytes);
        if (Offset % 2 == 0 && Bytes[Offset + 1] == High)
            return static_cast<qsizetype>(Offset / 2);
        At = Offset + 1;
    }
    return -1;
#else
    for (qsizetype At = From; At < Text.size(); ++At) {
        if (Text[At] == What)
            return At;
    }
    return -1;
#endif
}

} // namespace vo
