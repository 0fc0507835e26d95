#include "History_Place.h"

#include "History_File.h"
#include "Snapshot.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace vo {

namespace {

Failure Not_Sound(const QString& Path, const char* What) {
    return Failure(QStringLiteral("\"%1\" is %2: the history is not read or written there")
                       .arg(QDir::toNativeSeparators(Path), QLatin1String(What)));
}

} // namespace

bool Is_Record_Id(const QString& Id) {
    static const QRegularExpression Form(QStringLiteral("^[0-9]{8}-[0-9]{6}-[0-9]{3}(-[1-9][0-9]{0,5})?$"));
    return Form.match(Id).hasMatch();
}

Status Check_History_Place(const QString& Project_Path) {
    const QFileInfo Folder(History_Folder(Project_Path));
    if (Folder.isSymLink())
        return Not_Sound(Folder.filePath(), "a link");
    if (Folder.exists() && !Folder.isDir())
        return Not_Sound(Folder.filePath(), "not a folder");
    const QFileInfo File(History_File_Path(Project_Path));
    if (File.isSymLink())
        return Not_Sound(File.filePath(), "a link");
    if (File.exists() && !File.isFile())
        return Not_Sound(File.filePath(), "not a regular file");
    return {};
}

Status Check_Snapshot_Place(const QString& Project_Path, const QString& Id) {
    if (!Is_Record_Id(Id))
        return Failure(QStringLiteral("\"%1\" is not a record id").arg(Id));
    if (const Status Sound = Check_History_Place(Project_Path); !Sound)
        return Sound;
    const QFileInfo Folder(Snapshot_Folder(Project_Path, Id));
    if (Folder.isSymLink())
        return Not_Sound(Folder.filePath(), "a link");
    if (Folder.exists() && !Folder.isDir())
        return Not_Sound(Folder.filePath(), "not a folder");
    return {};
}

} // namespace vo
