#include "File_Save.h"

#include "Config_Path.h"
#include "Seam_Text.h"
#include "platform/File_System.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace vo {

namespace {

Status Write_Failure(const QString& Path, const QString& Reason) {
    return Failure(QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(Path), Reason));
}

// A temporary file that a save killed before its rename left beside its file is removed at the
// next save of that file, once it is old enough that no live save can still be writing it.
constexpr qint64 Stray_Age_Ms = 30000;

void Remove_Strays(const QString& Path) {
    const QFileInfo Saved(Path);
    const QRegularExpression Stray(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(Saved.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime Now = QDateTime::currentDateTime();
    for (const QFileInfo& Entry :
         QDir(Saved.absolutePath()).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        if (!Entry.isSymLink() && Stray.match(Entry.fileName()).hasMatch() &&
            Entry.lastModified().msecsTo(Now) > Stray_Age_Ms)
            QFile::remove(Entry.filePath());
}

} // namespace

Status Save_File_Atomic(const QString& Path, const QByteArray& Data) {
    // QSaveFile keeps the mode of the file it replaces, not its owner: a file saved by another
    // user (root) would no longer be its owner's.
    const std::string Native_Path = Seam_Text(Path);
    const File_Owner Owner = Owner_Of(Native_Path);
    QSaveFile File(Path);
    // Unbuffered, so that a failed write shows here: commit() flushes a buffer without looking at
    // the result, and would put a short or empty file in place of the old one on a full disk.
    if (!File.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Write_Failure(Path, File.errorString());
    if (File.write(Data) != Data.size()) {
        const QString Reason = File.errorString();
        File.cancelWriting();
        return Write_Failure(Path, Reason);
    }
    if (!File.commit())
        return Write_Failure(Path, File.errorString());
    Restore_Owner(Native_Path, Owner);
    Remove_Strays(Path);
    // The rename lives in the folder: without this a power loss may bring back the old file.
    Sync_Folder(Seam_Text(QFileInfo(QFileInfo(Path).canonicalFilePath()).absolutePath()));
    return {};
}

Status Save_Configuration_File(const QString& Path, const QByteArray& Data, const QString& Project_Path) {
    if (const Status Inside = Stays_Inside(Path, Project_Path); !Inside)
        return Failure(Inside.Error());
    return Save_File_Atomic(Path, Data);
}

} // namespace vo
