#include "Language_List.h"

#include <QDir>
#include <QFileInfo>

namespace vo {

QStringList Language_Files(const QString& Language_Dir) {
    QStringList Files;
    const QFileInfoList Entries =
        QDir(Language_Dir)
            .entryInfoList({QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden | QDir::System,
                           QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& Entry : Entries) {
        if (!Entry.isSymLink() && Entry.fileName().endsWith(QStringLiteral(".lng")) &&
            Entry.permission(QFile::WriteOwner))
            Files.append(Entry.fileName());
    }
    return Files;
}

QString Language_Of(const QString& File_Name) {
    return File_Name.chopped(4);
}

int Page_Count(int Count) {
    return (Count + Languages_Per_Page - 1) / Languages_Per_Page;
}

} // namespace vo
