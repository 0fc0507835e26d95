#include "Update_History.h"

#include "History_File.h"
#include "platform/Process_Runner.h"

namespace vo {

namespace {

Update_Record::Outcome Outcome_Of(Run_Result::State State) {
    switch (State) {
    case Run_Result::State::Ended:
        return Update_Record::Outcome::Ended;
    case Run_Result::State::Still_Running:
        return Update_Record::Outcome::Still_Running;
    case Run_Result::State::Not_Started:
        break;
    }
    return Update_Record::Outcome::Not_Started;
}

} // namespace

Launch_Capture Capture_Launch(const QString& Project_Path) {
    Launch_Capture Capture;
    Capture.Project_Path = Project_Path;
    Capture.Files = Read_Config_Files(Project_Path, false);
    Capture.Start = QDateTime::currentDateTimeUtc();
    return Capture;
}

Update_Record Launch_Record(const Launch_Capture& Capture, const Launch_Info& Info) {
    const File_Sums Sums = Capture.Files ? Capture.Files->Sums() : File_Sums();
    Update_Record Record = New_Record(Capture.Project_Path, Update_Record::Kind::Update, Capture.Start, Sums);
    Record.Mode = Info.Ethernet ? QStringLiteral("ethernet") : QStringLiteral("serial");
    Record.Target = Info.Target;
    Record.Adapter = Info.Adapter;
    Record.Option_Index = Info.Choice.Option_Index;
    Record.Read_Back = Info.Choice.Read_Back;
    Record.Updater = Info.Updater;
    Record.Result = Update_Record::Outcome::Launched;
    return Record;
}

Status Record_Launch(const Launch_Capture& Capture, const Update_Record& Record) {
    if (!Capture.Files)
        return Failure(Capture.Files.Error());
    // The snapshot first: a record never names a folder that was not written.
    if (Status Saved = Save_Snapshot(Capture.Project_Path, Record.Id, *Capture.Files); !Saved)
        return Saved;
    if (Status Saved = Append_Record(Capture.Project_Path, Record); !Saved)
        return Saved;
    Prune_Snapshots(Capture.Project_Path);
    return {};
}

Status Complete_Record(const QString& Project_Path, Update_Record& Record, const Run_Result& Result,
                       qint64 Duration_Ms, const QString& Output) {
    Record.Result = Outcome_Of(Result.Outcome);
    Record.Exit_Code = Result.Exit_Code;
    Record.Term_Signal = Result.Term_Signal;
    Record.Process_Id = Result.Process_Id;
    Record.Error_Text = QString::fromStdString(Result.Error_Text);
    Record.Duration_Ms = Duration_Ms;
    Record.Output = Output;
    return Replace_Record(Project_Path, Record);
}

std::optional<Update_Record> Last_Successful_Update(const QString& Project_Path) {
    const History Read = Read_History(Project_Path);
    for (auto It = Read.Records.crbegin(); It != Read.Records.crend(); ++It)
        if (It->Succeeded())
            return *It;
    return std::nullopt;
}

std::optional<QString> Last_Update_Address(const QString& Project_Path) {
    const History Read = Read_History(Project_Path);
    for (auto It = Read.Records.crbegin(); It != Read.Records.crend(); ++It)
        if (It->Record_Kind == Update_Record::Kind::Update && It->Mode == QLatin1String("ethernet") &&
            !It->Target.isEmpty())
            return It->Target;
    return std::nullopt;
}

} // namespace vo
