#include "Commissioning_Verdict.h"

#include "Built_Images.h"
#include "Config_Diff.h"
#include "Record_Words.h"
#include "Snapshot.h"
#include "shell/Shared_State.h"

namespace vo {

namespace {

// Message ids of the verdicts.
constexpr int Msg_Link_Passed = 1158;
constexpr int Msg_Link_Failed = 1159;
constexpr int Msg_Link_Not_Run = 1160;
constexpr int Msg_Not_Written = 1161;
constexpr int Msg_Images_Differ = 1162;
constexpr int Msg_Parameters_Changed = 1163;
constexpr int Msg_Later_Failed = 1191;

} // namespace

Commissioning_Verdict Verdict_Of(const History& Read, bool Images_Differ, bool Parameters_Changed) {
    Commissioning_Verdict Verdict;
    Verdict.Stale_Images = Images_Differ;
    for (const Update_Record& Record : Read.Records) {
        if (Record.Succeeded()) {
            Verdict.Update = Record;
            Verdict.Link.reset();
            Verdict.Failed.reset();
        } else if (Record.Record_Kind == Update_Record::Kind::Update &&
                   Record.Result != Update_Record::Outcome::Not_Started && Verdict.Update) {
            Verdict.Failed = Record;
        } else if (Record.Record_Kind == Update_Record::Kind::Link_Test && Verdict.Update) {
            Verdict.Link = Record;
        }
    }
    if (!Verdict.Update)
        Verdict.Verdict = Commissioning_Verdict::State::Not_Written;
    else if (Verdict.Failed)
        Verdict.Verdict = Commissioning_Verdict::State::Later_Failed;
    else if (Parameters_Changed)
        Verdict.Verdict = Commissioning_Verdict::State::Parameters_Changed;
    else if (Images_Differ)
        Verdict.Verdict = Commissioning_Verdict::State::Images_Differ;
    else
        Verdict.Verdict = Commissioning_Verdict::State::Updated;
    return Verdict;
}

QString Verdict_Words(const Commissioning_Verdict& Verdict, const Shared_State& State) {
    switch (Verdict.Verdict) {
    case Commissioning_Verdict::State::Not_Written:
        return State.Text(Msg_Not_Written).trimmed();
    case Commissioning_Verdict::State::Later_Failed:
        return State.Text(Msg_Later_Failed)
            .trimmed()
            .arg(Local_Time_Text(Verdict.Failed->Time), Local_Time_Text(Verdict.Update->Time));
    case Commissioning_Verdict::State::Images_Differ:
        return State.Text(Msg_Images_Differ).trimmed();
    case Commissioning_Verdict::State::Parameters_Changed:
        return State.Text(Msg_Parameters_Changed).trimmed().arg(Local_Time_Text(Verdict.Update->Time));
    case Commissioning_Verdict::State::Updated:
        break;
    }
    const QString Updated = Local_Time_Text(Verdict.Update->Time);
    if (!Verdict.Link)
        return State.Text(Msg_Link_Not_Run).trimmed().arg(Updated);
    const bool Passed = Verdict.Link->Link.value(QStringLiteral("passed")).toBool();
    return State.Text(Passed ? Msg_Link_Passed : Msg_Link_Failed)
        .trimmed()
        .arg(Updated, Local_Time_Text(Verdict.Link->Time));
}

Result<Commissioning_Verdict> Verdict_Of_Configuration(const Shared_State& State, const History& Read) {
    const Result<Config_Files> Files = Read_Config_Files(State.Project_Path, false);
    if (!Files)
        return Failure(Files.Error());
    const bool Images_Differ_Now = Images_Differ(Compare_Built_Images(State.ParGen_File, *Files));
    Commissioning_Verdict Verdict = Verdict_Of(Read, Images_Differ_Now, false);
    if (!Verdict.Update)
        return Verdict;
    // The device holds what the update wrote: a change the dialog would show since then means it
    // no longer holds these parameters. Without the snapshot, the file's checksum decides.
    const Change_Summary Changes = Changes_Since_Success(State.Project_Path, State.ParGen_File, State);
    const bool Changed = Changes.Error_Text.isEmpty() ? !Changes.Lines.isEmpty()
                                                      : Files->Sums().ParGen != Verdict.Update->Sums.ParGen;
    return Verdict_Of(Read, Images_Differ_Now, Changed);
}

} // namespace vo
