#include "File_Save.h"

#include <QDir>
#include <QSaveFile>

namespace vo {

namespace {

Save_Status Failure(const QString& Path, const QString& Reason) {
    return Save_Status::Failed(
        QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(Path), Reason));
}

} // namespace

Save_Status Save_File_Atomic(const QString& Path, const QByteArray& Data) {
    QSaveFile File(Path);
    // Unbuffered, so that a failed write shows here: commit() flushes a buffer without looking at
    // the result, and would put a short or empty file in place of the old one on a full disk.
    if (!File.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failure(Path, File.errorString());
    if (File.write(Data) != Data.size()) {
        const QString Reason = File.errorString();
        File.cancelWriting();
        return Failure(Path, Reason);
    }
    if (!File.commit())
        return Failure(Path, File.errorString());
    return {};
}

} // namespace vo
