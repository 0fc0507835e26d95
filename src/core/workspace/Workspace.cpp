#include "Workspace.h"

#include "shell/Shared_State.h"
#include "shell/Startup.h"
#include "util/Config_Path.h"
#include "util/Path_Join.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vo {

namespace {

// The longest folder name the file systems of this system take.
constexpr qsizetype Max_Name_Bytes = 255;

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
#ifdef Q_OS_WIN
// A name Windows can give a folder as it is: none of the characters it refuses (":" would even
// name a stream or a drive), no reserved device name such as CON or COM1 with or without an
// extension, and no trailing full stop or blank, which it would silently drop.
bool Is_Windows_Folder_Name(const QString& Name) {
    for (const QChar C : Name) {
        if (C.unicode() < 0x20 || QStringLiteral("<>:\"|?*").contains(C))
            return false;
    }
    if (Name.endsWith(u'.') || Name.endsWith(u' '))
        return false;
    static const QStringList Devices = {
        QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),  QStringLiteral("NUL"),
        QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"), QStringLiteral("COM4"),
        QStringLiteral("COM5"), QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
        QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"), QStringLiteral("LPT3"),
        QStringLiteral("LPT4"), QStringLiteral("LPT5"), QStringLiteral("LPT6"), QStringLiteral("LPT7"),
        QStringLiteral("LPT8"), QStringLiteral("LPT9")};
    return !Devices.contains(Fold_Ascii(Name.section(u'.', 0, 0).trimmed()));
}
#endif

} // namespace

void Open_Configuration(Shared_State& State, const QString& Name) {
    Open_As(State, Name, Name.isEmpty() ? QString() : Join_Path(State.Projects_Dir, Name));
}

void Open_Configuration_Folder(Shared_State& State, const QString& Path) {
    Open_As(State, QFileInfo(Path).fileName(), Path);
}

bool Is_Safe_Configuration_Name(const QString& Name) {
    if (!Is_Plain_Name(Name))
        return false;
    // Blanks only: the origin system's file system refuses such a folder name.
    if (Name.trimmed().isEmpty())
        return false;
#ifdef Q_OS_WIN
    return Is_Windows_Folder_Name(Name);
#else
    return true;
#endif
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

QString Name_Refusal_Reason(const Shared_State& State, const QString& Name) {
    if (!Is_Valid_File_Name(Name))
        return QStringLiteral(
            "the name holds bytes that are not valid in the file system's encoding (UTF-8)");
    if (!Is_Safe_Configuration_Name(Name))
        return QStringLiteral("a name may not hold \"/\" or \"\\\", be \".\" or \"..\", or be blanks only");
    const QString Path = Join_Path(State.Projects_Dir, Name);
    const QFileInfo Entry(Path);
    if (Entry.exists() || Entry.isSymLink())
        return QStringLiteral("\"%1\" exists and is not a folder")
            .arg(Cut_For_Message(QDir::toNativeSeparators(Path)));
    if (QFile::encodeName(Name).size() > Max_Name_Bytes)
        return QStringLiteral("the name is %1 bytes long; a folder name holds at most %2")
            .arg(QFile::encodeName(Name).size())
            .arg(Max_Name_Bytes);
    return QStringLiteral("the folder \"%1\" cannot be created")
        .arg(Cut_For_Message(QDir::toNativeSeparators(Path)));
}

QStringList Load_Existing_Configuration(const QString& Projects_Dir) {
    QStringList Names =
        QDir(Projects_Dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    // A folder whose name the system cannot spell could be listed but never opened.
    Names.removeIf([](const QString& Name) { return !Is_Valid_File_Name(Name); });
    return Names;
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
