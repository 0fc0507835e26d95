#include "Link_History.h"

#include "History_File.h"
#include "Snapshot.h"
#include "util/Writer_Lock.h"

namespace vo {

Result<QString> Record_Link_Test(const QString& Project_Path, const Config_Files& Tested,
                                 const QJsonObject& Link) {
    Writer_Lock Lock(Lock_Of::Configuration, Project_Path);
    if (const Status Locked = Lock.Acquire(); !Locked)
        return Failure(Locked.Error());
    Update_Record Record = New_Record(Project_Path, Update_Record::Kind::Link_Test,
                                      QDateTime::currentDateTimeUtc(), Tested.Sums());
    Record.Link = Link;
    Record.Target = Link.value(QStringLiteral("port")).toString();
    // The snapshot first: a record never names a folder that was not written.
    if (const Status Saved = Save_Snapshot(Project_Path, Record.Id, Tested); !Saved)
        return Failure(Saved.Error());
    if (const Status Saved = Append_Record(Project_Path, Record); !Saved)
        return Failure(Saved.Error());
    Prune_Snapshots(Project_Path);
    return Record.Id;
}

std::optional<Update_Record> Last_Link_Test(const QString& Project_Path) {
    const History Read = Read_History(Project_Path);
    for (auto It = Read.Records.crbegin(); It != Read.Records.crend(); ++It)
        if (It->Record_Kind == Update_Record::Kind::Link_Test)
            return *It;
    return std::nullopt;
}

} // namespace vo
