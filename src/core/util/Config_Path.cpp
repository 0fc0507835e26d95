#include "Config_Path.h"

#include "Seam_Text.h"
#include "platform/File_System.h"

#include <QDir>
#include <QFileInfo>

namespace vo {

namespace {

QString Native(const QString& Path) {
    return QDir::toNativeSeparators(Path);
}

} // namespace

Status Stays_Inside(const QString& File, const QString& Folder) {
    const QString Inside = QFileInfo(Folder).canonicalFilePath();
    if (Inside.isEmpty())
        return {};
    const QFileInfo Final(From_Seam_Text(Final_Link_Target(Seam_Text(File))));
    const QString Parent = QFileInfo(Final.absolutePath()).canonicalFilePath();
    const QString Target =
        Parent.isEmpty() ? QDir::cleanPath(Final.absoluteFilePath()) : Parent + u'/' + Final.fileName();
    if (Target.startsWith(Inside + u'/'))
        return {};
    return Failure(
        QStringLiteral("Cannot write \"%1\": it leads to \"%2\", outside the configuration folder \"%3\"")
            .arg(Native(File), Native(Target), Native(Folder)));
}

Status Is_Configuration_Folder(const QString& Path) {
    const QFileInfo ParGen(QDir(Path).filePath(QStringLiteral("ParGen.xml")));
    if (ParGen.exists() || ParGen.isSymLink())
        return {};
    const QString Canonical = QFileInfo(Path).canonicalFilePath();
    if (!Canonical.isEmpty() && QFileInfo(QFileInfo(Canonical).absolutePath()).fileName() == u"PROJECTS")
        return {};
    return Failure(
        QStringLiteral("\"%1\" is not a configuration folder: it holds no ParGen.xml and is not in a "
                       "PROJECTS folder")
            .arg(Native(Path)));
}

bool Is_Valid_File_Name(const QString& Text) {
    return !Text.contains(QChar::ReplacementCharacter) && Text.isValidUtf16();
}

bool Is_Plain_Name(const QString& Name) {
    if (Name.isEmpty() || Name == u"." || Name == u"..")
        return false;
    return !Name.contains(u'/') && !Name.contains(u'\\') && !Name.contains(QChar(0)) &&
           Is_Valid_File_Name(Name);
}

QString Cut_For_Message(const QString& Text, qsizetype Max) {
    if (Text.size() <= Max)
        return Text;
    return QStringLiteral("%1... (%2 characters)").arg(Text.left(Max)).arg(Text.size());
}

} // namespace vo
