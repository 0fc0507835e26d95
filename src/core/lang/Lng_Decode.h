#pragma once

#include <QByteArray>
#include <QString>

namespace vo {

// The text of a language file: a byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE and is
// dropped; without one the bytes are UTF-8 when they are valid UTF-8, else Windows-1252.
QString Decode_Lng_Bytes(const QByteArray& Bytes);

// Windows-1252 to text; the five bytes the code page leaves undefined keep their own code.
QString Decode_Windows_1252(QByteArrayView Bytes);

} // namespace vo
