#pragma once

#include <QByteArray>
#include <QString>

namespace vo {

// Outcome of a file write: Ok, or an error text naming the file and the reason.
struct Save_Status {
    bool Ok = true;
    QString Error_Text;

    explicit operator bool() const { return Ok; }
    static Save_Status Failed(const QString& Text) { return {false, Text}; }
};

// Replaces the file at Path with Data in one step: readers see the old or the new content,
// never a torn file. A failure leaves the old file as it was.
[[nodiscard]] Save_Status Save_File_Atomic(const QString& Path, const QByteArray& Data);

} // namespace vo
