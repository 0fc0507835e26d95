#include "Restore.h"

#include "History_File.h"
#include "Snapshot.h"
#include "image/Image_Files.h"
#include "util/Config_Path.h"
#include "util/Writer_Lock.h"

#include <QDir>

namespace vo {

Result<QString> Restore_Snapshot(const QString& Project_Path, const QString& ParGen_File, const QString& Id) {
    Writer_Lock Lock(Lock_Of::Configuration, Project_Path);
    if (const Status Locked = Lock.Acquire(); !Locked)
        return Failure(Locked.Error());
    const History Read = Read_History(Project_Path);
    if (!Read.Error_Text.isEmpty())
        return Failure(Read.Error_Text);
    const Update_Record* Record = Read.Find(Id);
    if (!Record)
        return Failure(QStringLiteral("no record \"%1\" in the history of \"%2\"").arg(Id, Project_Path));
    const Snapshot_Check Check = Check_Snapshot(Project_Path, *Record);
    if (Check.State != Snapshot_State::Intact)
        return Failure(
            QStringLiteral("the snapshot of record \"%1\" is %2%3; nothing was restored")
                .arg(Id, State_Name(Check.State),
                     Check.Detail.isEmpty() ? QString() : QStringLiteral(" (") + Check.Detail + u')'));
    const Result<Config_Files> Snapshot = Read_Config_Files(Snapshot_Folder(Project_Path, Id), true);
    if (!Snapshot)
        return Failure(Snapshot.Error());
    if (!Snapshot->ParGen)
        return Failure(QStringLiteral("the snapshot of record \"%1\" holds no ParGen.xml").arg(Id));
    const Result<Config_Files> Current = Read_Config_Files(Project_Path, false);
    if (!Current)
        return Failure(Current.Error());

    // Every file it will write must be writable there before the first is touched.
    const QString Bin = Bin_Folder(Project_Path);
    for (const QString& Target : {ParGen_File, Bank_File_Path(Bin), BankK_File_Path(Bin)})
        if (const Status Inside = Stays_Inside(Target, Project_Path); !Inside)
            return Failure(Inside.Error());

    Update_Record Kept = New_Record(Project_Path, Update_Record::Kind::Restore,
                                    QDateTime::currentDateTimeUtc(), Current->Sums());
    Kept.Restored = Id;
    // In this order: the current files are kept before anything is replaced.
    if (const Status Saved = Save_Snapshot(Project_Path, Kept.Id, *Current); !Saved)
        return Failure(Saved.Error());
    if (const Status Saved = Append_Record(Project_Path, Kept); !Saved)
        return Failure(Saved.Error());
    if (const Status Saved = Save_Configuration_File(ParGen_File, *Snapshot->ParGen, Project_Path); !Saved)
        return Failure(Saved.Error());
    QDir().mkpath(Bin);
    for (const auto& [Bytes, Path] :
         {std::pair{Snapshot->Bank, Bank_File_Path(Bin)}, std::pair{Snapshot->BankK, BankK_File_Path(Bin)}}) {
        if (!Bytes)
            continue;
        if (const Status Saved = Save_Configuration_File(Path, *Bytes, Project_Path); !Saved)
            return Failure(Saved.Error());
    }
    Prune_Snapshots(Project_Path);
    return Kept.Id;
}

} // namespace vo
