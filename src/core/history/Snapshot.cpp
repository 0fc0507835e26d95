#include "Snapshot.h"

#include "History_File.h"
#include "History_Place.h"
#include "shell/Software_Info.h"
#include "util/Path_Join.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSysInfo>

namespace vo {

namespace {

// The three files by their names, with where they sit in a configuration.
struct File_Place {
    const char* Name;
    const char* In_Config;
    std::optional<QByteArray> Config_Files::*Bytes;
    QString File_Sums::*Sum;
};

constexpr File_Place Places[] = {
    {"ParGen.xml", "ParGen.xml", &Config_Files::ParGen, &File_Sums::ParGen},
    {"bank.bin", "bin/bank.bin", &Config_Files::Bank, &File_Sums::Bank},
    {"bankK.bin", "bin/bankK.bin", &Config_Files::BankK, &File_Sums::BankK},
};

// No file of a configuration is near this size; a larger one is not read into memory.
constexpr qint64 Config_File_Limit = 4 * 1024 * 1024;

QString Place_Path(const QString& Folder, const File_Place& Place, bool Flat) {
    return QDir::toNativeSeparators(Folder + u'/' + QLatin1String(Flat ? Place.Name : Place.In_Config));
}

} // namespace

File_Sums Config_Files::Sums() const {
    File_Sums Sums;
    for (const File_Place& Place : Places)
        if (const std::optional<QByteArray>& Bytes = this->*Place.Bytes)
            Sums.*Place.Sum = Sha256_Hex(*Bytes);
    return Sums;
}

QString Sha256_Hex(const QByteArray& Bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(Bytes, QCryptographicHash::Sha256).toHex());
}

Result<Config_Files> Read_Config_Files(const QString& Folder, bool Flat) {
    Config_Files Files;
    for (const File_Place& Place : Places) {
        const QString Path = Place_Path(Folder, Place, Flat);
        const QFileInfo Info(Path);
        if (!Info.exists() && !Info.isSymLink())
            continue;
        QFile File(Path);
        // A snapshot's files are its own: one that is a link is not followed.
        if (!Info.isFile() || Info.size() > Config_File_Limit || (Flat && Info.isSymLink()))
            return Failure(QStringLiteral("\"%1\" is not a regular file of at most %2 bytes")
                               .arg(Path)
                               .arg(Config_File_Limit));
        if (!File.open(QIODevice::ReadOnly))
            return Failure(QStringLiteral("cannot read \"%1\": %2").arg(Path, File.errorString()));
        Files.*Place.Bytes = File.read(Config_File_Limit);
    }
    return Files;
}

QString New_Record_Id(const QString& Project_Path, const QDateTime& Utc) {
    const QString Stem = Utc.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString Id = Stem;
    for (int N = 2; QFileInfo::exists(Snapshot_Folder(Project_Path, Id)); ++N)
        Id = QStringLiteral("%1-%2").arg(Stem).arg(N);
    return Id;
}

QString Snapshot_Folder(const QString& Project_Path, const QString& Id) {
    return Join_Path(History_Folder(Project_Path), Id);
}

Status Save_Snapshot(const QString& Project_Path, const QString& Id, const Config_Files& Files) {
    if (const Status Sound = Check_Snapshot_Place(Project_Path, Id); !Sound)
        return Sound;
    const QString Folder = Snapshot_Folder(Project_Path, Id);
    if (!QDir().mkpath(Folder))
        return Failure(QStringLiteral("Cannot create the folder \"%1\"").arg(Folder));
    for (const File_Place& Place : Places) {
        if (const std::optional<QByteArray>& Bytes = Files.*Place.Bytes) {
            if (Status Saved = Save_Configuration_File(Place_Path(Folder, Place, true), *Bytes, Project_Path);
                !Saved) {
                // A folder left empty by a failed write (a full disk) would count as a snapshot.
                QDir(Folder).removeRecursively();
                return Saved;
            }
        }
    }
    return {};
}

Snapshot_Check Check_Snapshot(const QString& Project_Path, const Update_Record& Record) {
    if (const Status Sound = Check_Snapshot_Place(Project_Path, Record.Id); !Sound)
        return {Snapshot_State::Removed, Sound.Error()};
    const QString Folder = Snapshot_Folder(Project_Path, Record.Id);
    if (!QFileInfo(Folder).isDir())
        return {Snapshot_State::Removed, QString()};
    const Result<Config_Files> Files = Read_Config_Files(Folder, true);
    if (!Files)
        return {Snapshot_State::Missing_Files, Files.Error()};
    const File_Sums Found = Files->Sums();
    QStringList Missing;
    QStringList Edited;
    for (const File_Place& Place : Places) {
        const QString& Want = Record.Sums.*Place.Sum;
        const QString& Have = Found.*Place.Sum;
        if (Want == Have)
            continue;
        (Have.isEmpty() ? Missing : Edited).append(QLatin1String(Place.Name));
    }
    if (!Missing.isEmpty())
        return {Snapshot_State::Missing_Files, Missing.join(QStringLiteral(", "))};
    if (!Edited.isEmpty())
        return {Snapshot_State::Edited, Edited.join(QStringLiteral(", "))};
    return {};
}

QString State_Name(Snapshot_State State) {
    switch (State) {
    case Snapshot_State::Intact:
        return QStringLiteral("intact");
    case Snapshot_State::Removed:
        return QStringLiteral("removed");
    case Snapshot_State::Missing_Files:
        return QStringLiteral("missing files");
    case Snapshot_State::Edited:
        return QStringLiteral("edited");
    }
    return {};
}

void Prune_Snapshots(const QString& Project_Path) {
    if (!Check_History_Place(Project_Path))
        return;
    // Link tests are made again and again on site: they keep a number of their own and never push
    // out the snapshot of an update or a restore.
    QSet<QString> Link_Tests;
    for (const Update_Record& Record : Read_History(Project_Path).Records)
        if (Record.Record_Kind == Update_Record::Kind::Link_Test)
            Link_Tests.insert(Record.Id);
    // Only the folders this program made: real folders named by record ids, never a link. Record
    // ids begin with their time, so the name order is the age order.
    QDir Dir(History_Folder(Project_Path));
    QStringList Others;
    QStringList Links;
    for (const QFileInfo& Entry :
         Dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name))
        if (!Entry.isSymLink() && Is_Record_Id(Entry.fileName()))
            (Link_Tests.contains(Entry.fileName()) ? Links : Others).append(Entry.fileName());
    for (const auto& [Names, Kept] :
         {std::pair{&Others, Snapshots_Kept}, std::pair{&Links, Link_Snapshots_Kept}})
        for (qsizetype I = 0; I + Kept < Names->size(); ++I)
            QDir(Dir.filePath((*Names)[I])).removeRecursively();
}

Update_Record New_Record(const QString& Project_Path, Update_Record::Kind Kind, const QDateTime& Utc,
                         const File_Sums& Sums) {
    Update_Record Record;
    Record.Id = New_Record_Id(Project_Path, Utc);
    Record.Record_Kind = Kind;
    Record.Time = Utc.toString(Qt::ISODateWithMs);
    Record.User = qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME"));
    // Services and containers often run without either variable; the home folder's owner is the user.
    if (Record.User.isEmpty())
        Record.User = QFileInfo(QDir::homePath()).owner();
    Record.Host = QSysInfo::machineHostName();
    Record.Program_Version = Software_Code_Text + u' ' + Software_Version;
    Record.Sums = Sums;
    return Record;
}

} // namespace vo
