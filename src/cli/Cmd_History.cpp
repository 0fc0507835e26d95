#include "Cli_Config.h"
#include "Cli_Json.h"
#include "history/Commissioning_Info.h"
#include "history/History_File.h"
#include "history/Record_Words.h"
#include "history/Snapshot.h"

#include <QJsonArray>

namespace vo {

namespace {

void Print_Record(QTextStream& Out, const Update_Record& R, const Snapshot_Check& Check) {
    // Every value of a record comes from a file anyone may have edited.
    const auto T = Terminal_Text;
    Out << T(R.Id) << "  " << T(R.Time) << "  ";
    if (R.Record_Kind == Update_Record::Kind::Update)
        Out << T(R.Mode) << ' ' << T(R.Target) << "  option " << R.Option_Index
            << (R.Read_Back ? ", read back" : "") << "  " << T(Outcome_Text(R)) << "  " << R.Duration_Ms
            << " ms";
    else if (R.Record_Kind == Update_Record::Kind::Link_Test)
        Out << "linktest " << T(R.Link.value(QStringLiteral("mode")).toString()) << ' '
            << T(R.Link.value(QStringLiteral("port")).toString()) << "  " << T(Outcome_Text(R));
    else
        Out << T(Outcome_Text(R));
    Out << "  snapshot " << State_Name(Check.State);
    if (!Check.Detail.isEmpty())
        Out << " (" << T(Check.Detail) << ')';
    Out << '\n';
    const auto Sum = [&T](const QString& S) {
        return S.isEmpty() ? QStringLiteral("(none)") : T(S);
    };
    Out << "  ParGen.xml " << Sum(R.Sums.ParGen) << "\n  bank.bin   " << Sum(R.Sums.Bank) << "\n  bankK.bin  "
        << Sum(R.Sums.BankK) << '\n';
    if (!R.Adapter.isEmpty())
        Out << "  adapter " << T(Adapter_Words(R.Adapter)) << '\n';
    Out << "  " << T(R.User) << '@' << T(R.Host) << ", " << T(R.Program_Version);
    if (!R.Updater.isEmpty())
        Out << ", " << T(R.Updater);
    Out << '\n';
}

} // namespace

// history [--json] CONFIG: every record of the configuration's history, oldest first, with the
// state of its snapshot; lines that are no usable record are reported on standard error.
int Run_History(Cli_Context& Context) {
    const bool Json = Take_Option(Context.Args, QStringLiteral("--json"));
    if (Context.Args.size() != 1)
        return Usage_Error(Context, "history");
    if (!Open_Config(Context, Context.Args.first()))
        return Exit_Failed;
    const QString& Project = Context.State.Project_Path;
    const History Read = Read_History(Project);
    if (!Read.Error_Text.isEmpty()) {
        Context.Err << "vo40913-cli: " << Read.Error_Text << '\n';
        return Exit_Failed;
    }
    for (const History_Problem& Problem : Read.Problems)
        Context.Err << "vo40913-cli: \"" << History_File_Path(Project) << "\" line " << Problem.Line << ": "
                    << Problem.Reason << '\n';
    // The records stand without the commissioning data: a damaged file is told, not fatal.
    Result<Commissioning_Info> Info = Read_Commissioning_Info(Project);
    if (!Info) {
        Context.Err << "vo40913-cli: warning: " << Info.Error() << '\n';
        Info = Commissioning_Info{};
    }
    if (!Json) {
        for (const Info_Field& Field : Info_Fields())
            if (const QString& Text = (*Info).*Field.Member; !Text.isEmpty()) {
                QStringList Lines = Text.split(u'\n');
                for (QString& Line : Lines)
                    Line = Terminal_Text(Line);
                Context.Out << Field.Key << ": " << Lines.join(QStringLiteral("\n  ")) << '\n';
            }
        for (const Update_Record& Record : Read.Records)
            Print_Record(Context.Out, Record, Check_Snapshot(Project, Record));
        return Exit_Ok;
    }
    QJsonArray Records;
    for (const Update_Record& Record : Read.Records) {
        QJsonObject Object = Record_To_Json(Record);
        const Snapshot_Check Check = Check_Snapshot(Project, Record);
        Object.insert(QStringLiteral("snapshot"),
                      QJsonObject{{QStringLiteral("state"), State_Name(Check.State)},
                                  {QStringLiteral("detail"), Check.Detail}});
        Records.append(Object);
    }
    QJsonArray Problems;
    for (const History_Problem& Problem : Read.Problems)
        Problems.append(
            QJsonObject{{QStringLiteral("line"), Problem.Line}, {QStringLiteral("reason"), Problem.Reason}});
    Print_Json(Context, {{QStringLiteral("configuration"), Project},
                         {QStringLiteral("commissioning"), Info_To_Json(*Info)},
                         {QStringLiteral("records"), Records},
                         {QStringLiteral("problems"), Problems}});
    return Exit_Ok;
}

} // namespace vo
