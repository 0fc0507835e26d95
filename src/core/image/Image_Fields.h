#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace vo {

// One named field of an image file with its value as text.
struct Image_Field {
    QString Name;
    QString Value;
};

// The fields of a bankK.bin (2048 bytes: addresses, mode flags, timeouts, every serial slot, the
// preset bytes that differ from the layout, the checksum) or of a bank.bin (4 or 19 bytes, each
// field in decimal); nothing for any other size.
std::optional<QList<Image_Field>> Image_Fields(const QByteArray& Bytes);

} // namespace vo
