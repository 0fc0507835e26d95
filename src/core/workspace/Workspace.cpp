#include "Workspace.h"

#include "shell/Shared_State.h"
#include "shell/Startup.h"
#include "util/Path_Join.h"

#include <QDir>
#include <QFileInfo>

namespace vo {

namespace {

QString Fold_Ascii(const QString& Text) {
    QString Folded = Text;
    for (QChar& C : Folded) {
        if (C >= u'a' && C <= u'z')
            C = QChar(C.unicode() - (u'a' - u'A'));
    }
    return Folded;
}

void Open_As(Shared_State& State, const QString& Name, const QString& Path) {
    State.Project_Name = Name;
    State.Project_Path = Path;
    Set_Files(State);
}

} // namespace

void Open_Configuration(Shared_State& State, const QString& Name) {
    Open_As(State, Name, Name.isEmpty() ? QString() : Join_Path(State.Projects_Dir, Name));
}

void Open_Configuration_Folder(Shared_State& State, const QString& Path) {
    Open_As(State, QFileInfo(Path).fileName(), Path);
}

bool Is_Safe_Configuration_Name(const QString& Name) {
    if (Name.isEmpty() || Name == u"." || Name == u"..")
        return false;
    if (Name.contains(u'/') || Name.contains(u'\\') || Name.contains(QChar(0)))
        return false;
    // Blanks only: the origin system's file system refuses such a folder name.
    return !Name.trimmed().isEmpty();
}

int Create_Configuration(Shared_State& State, const QString& Name) {
    if (Name.isEmpty())
        return Msg_Name_Empty;
    if (!Is_Safe_Configuration_Name(Name))
        return Msg_Name_Refused;
    const QString Path = Join_Path(State.Projects_Dir, Name);
    if (QFileInfo(Path).isDir())
        return Msg_Name_Exists;
    if (!QDir().mkdir(Path))
        return Msg_Name_Refused;
    // A configuration without its bin folder could never take its images: none is made at all.
    if (!QDir().mkdir(Join_Path(Path, QStringLiteral("bin")))) {
        QDir().rmdir(Path);
        return Msg_Bin_Not_Created;
    }
    Open_Configuration(State, Name);
    return 0;
}

QStringList Load_Existing_Configuration(const QString& Projects_Dir) {
    return QDir(Projects_Dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

int Search_Open_Conf(const QStringList& SL, const QString& Name) {
    // Names differing only in case are different folders here: the exact one wins.
    if (const qsizetype Exact = SL.indexOf(Name); Exact >= 0)
        return static_cast<int>(Exact);
    const QString Wanted = Fold_Ascii(Name);
    for (qsizetype I = 0; I < SL.size(); ++I) {
        if (Fold_Ascii(SL[I]) == Wanted)
            return static_cast<int>(I);
    }
    return -1;
}

QString Open_Configuration_Name(const Shared_State& State) {
    const QString Prefix = State.Projects_Dir + Native_Separator();
    if (!State.Project_Open() || !State.Project_Path.startsWith(Prefix))
        return QString();
    return State.Project_Path.mid(Prefix.size());
}

} // namespace vo
