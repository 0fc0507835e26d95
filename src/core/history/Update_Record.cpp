#include "Update_Record.h"

#include "History_Place.h"
#include "shell/Shared_State.h"
#include "update/Update_Outcome.h"

#include <QJsonValue>

namespace vo {

namespace {

// Message ids of the outcomes.
constexpr int Msg_Ended = 1093;
constexpr int Msg_Killed = 1094;
constexpr int Msg_Still_Running = 1095;
constexpr int Msg_Not_Started = 1096;
constexpr int Msg_Restore_Of = 1097;
constexpr int Msg_Outcome_Unknown = 1099;

const char* const Kind_Names[] = {"update", "restore", "linktest"};
const char* const Outcome_Names[] = {"ended", "still_running", "not_started", "launched"};

template <typename Enum, std::size_t N>
std::optional<Enum> Enum_From(const QJsonValue& Value, const char* const (&Names)[N]) {
    for (std::size_t I = 0; I < N; ++I)
        if (Value.toString() == QLatin1String(Names[I]))
            return static_cast<Enum>(I);
    return std::nullopt;
}

QJsonObject Sums_To_Json(const File_Sums& Sums) {
    return {{QStringLiteral("ParGen.xml"), Sums.ParGen},
            {QStringLiteral("bank.bin"), Sums.Bank},
            {QStringLiteral("bankK.bin"), Sums.BankK}};
}

// The words of the outcomes; with Details the process left running and the reason an updater did
// not start follow.
struct Outcome_Phrases {
    QString Restore_Of;
    QString Ended;
    QString Killed;
    QString Still_Running;
    QString Not_Started;
    QString Unknown;
    bool Details = false;
};

QString Outcome_In(const Update_Record& R, const Outcome_Phrases& P) {
    if (R.Record_Kind == Update_Record::Kind::Restore)
        return P.Restore_Of + R.Restored;
    if (R.Record_Kind == Update_Record::Kind::Link_Test)
        return R.Link.value(QStringLiteral("verdict")).toString();
    switch (R.Result) {
    case Update_Record::Outcome::Ended:
        return R.Term_Signal != 0 ? P.Killed + QString::number(R.Term_Signal)
                                  : P.Ended + QString::number(R.Exit_Code);
    case Update_Record::Outcome::Still_Running:
        return P.Details ? P.Still_Running + QStringLiteral(" (process %1)").arg(R.Process_Id)
                         : P.Still_Running;
    case Update_Record::Outcome::Launched:
        return P.Unknown;
    case Update_Record::Outcome::Not_Started:
        break;
    }
    return P.Details ? P.Not_Started + QStringLiteral(": ") + R.Error_Text : P.Not_Started;
}

} // namespace

bool Update_Record::Succeeded() const {
    return Record_Kind == Kind::Update && Result == Outcome::Ended &&
           End_Of(Run_Result::State::Ended, Exit_Code, Term_Signal) == Update_End::Succeeded;
}

QJsonObject Record_To_Json(const Update_Record& R) {
    QJsonObject O{{QStringLiteral("format"), History_Format},
                  {QStringLiteral("id"), R.Id},
                  {QStringLiteral("kind"), QLatin1String(Kind_Names[static_cast<int>(R.Record_Kind)])},
                  {QStringLiteral("time"), R.Time},
                  {QStringLiteral("user"), R.User},
                  {QStringLiteral("host"), R.Host},
                  {QStringLiteral("program_version"), R.Program_Version},
                  {QStringLiteral("sha256"), Sums_To_Json(R.Sums)}};
    if (R.Record_Kind == Update_Record::Kind::Restore) {
        O.insert(QStringLiteral("restored"), R.Restored);
        return O;
    }
    if (R.Record_Kind == Update_Record::Kind::Link_Test) {
        O.insert(QStringLiteral("link"), R.Link);
        return O;
    }
    O.insert(QStringLiteral("mode"), R.Mode);
    O.insert(QStringLiteral("target"), R.Target);
    O.insert(QStringLiteral("adapter"), R.Adapter);
    O.insert(QStringLiteral("option"), R.Option_Index);
    O.insert(QStringLiteral("read_back"), R.Read_Back);
    O.insert(QStringLiteral("updater"), R.Updater);
    O.insert(QStringLiteral("outcome"),
             QJsonObject{{QStringLiteral("state"), QLatin1String(Outcome_Names[static_cast<int>(R.Result)])},
                         {QStringLiteral("exit_code"), R.Exit_Code},
                         {QStringLiteral("signal"), R.Term_Signal},
                         {QStringLiteral("process_id"), static_cast<qint64>(R.Process_Id)},
                         {QStringLiteral("error"), R.Error_Text}});
    O.insert(QStringLiteral("duration_ms"), R.Duration_Ms);
    if (!R.Output.isEmpty())
        O.insert(QStringLiteral("output"), R.Output);
    return O;
}

Result<Update_Record> Record_From_Json(const QJsonObject& O) {
    // As a number of any size: a format beyond an int is still a newer program's.
    const double Format = O.value(QStringLiteral("format")).toDouble(0);
    if (Format > History_Format)
        return Failure(QStringLiteral("written by a newer version (format %1)")
                           .arg(O.value(QStringLiteral("format")).toVariant().toString()));
    Update_Record R;
    R.Id = O.value(QStringLiteral("id")).toString();
    const std::optional<Update_Record::Kind> Kind =
        Enum_From<Update_Record::Kind>(O.value(QStringLiteral("kind")), Kind_Names);
    const QJsonObject Sums = O.value(QStringLiteral("sha256")).toObject();
    if (Format != History_Format || !Is_Record_Id(R.Id) || !Kind || Sums.isEmpty() ||
        (*Kind == Update_Record::Kind::Restore &&
         !Is_Record_Id(O.value(QStringLiteral("restored")).toString())) ||
        (*Kind == Update_Record::Kind::Link_Test && !O.value(QStringLiteral("link")).isObject()))
        return Failure(QStringLiteral("not a history record"));
    R.Record_Kind = *Kind;
    R.Time = O.value(QStringLiteral("time")).toString();
    R.User = O.value(QStringLiteral("user")).toString();
    R.Host = O.value(QStringLiteral("host")).toString();
    R.Program_Version = O.value(QStringLiteral("program_version")).toString();
    R.Sums = {Sums.value(QStringLiteral("ParGen.xml")).toString(),
              Sums.value(QStringLiteral("bank.bin")).toString(),
              Sums.value(QStringLiteral("bankK.bin")).toString()};
    R.Restored = O.value(QStringLiteral("restored")).toString();
    R.Link = O.value(QStringLiteral("link")).toObject();
    R.Target = R.Link.isEmpty() ? O.value(QStringLiteral("target")).toString()
                                : R.Link.value(QStringLiteral("port")).toString();
    R.Mode = O.value(QStringLiteral("mode")).toString();
    R.Adapter = O.value(QStringLiteral("adapter")).toObject();
    R.Option_Index = O.value(QStringLiteral("option")).toInt();
    R.Read_Back = O.value(QStringLiteral("read_back")).toBool(true);
    R.Updater = O.value(QStringLiteral("updater")).toString();
    const QJsonObject Outcome = O.value(QStringLiteral("outcome")).toObject();
    R.Result = Enum_From<Update_Record::Outcome>(Outcome.value(QStringLiteral("state")), Outcome_Names)
                   .value_or(Update_Record::Outcome::Not_Started);
    R.Exit_Code = Outcome.value(QStringLiteral("exit_code")).toInt();
    R.Term_Signal = Outcome.value(QStringLiteral("signal")).toInt();
    R.Process_Id = static_cast<long>(Outcome.value(QStringLiteral("process_id")).toInteger());
    R.Error_Text = Outcome.value(QStringLiteral("error")).toString();
    R.Duration_Ms = O.value(QStringLiteral("duration_ms")).toInteger();
    R.Output = O.value(QStringLiteral("output")).toString();
    return R;
}

QString Outcome_Text(const Update_Record& R) {
    return Outcome_In(R, {QStringLiteral("restore of "), QStringLiteral("ended with code "),
                          QStringLiteral("killed by signal "), QStringLiteral("still running at the limit"),
                          QStringLiteral("could not be started"), QStringLiteral("launched, outcome unknown"),
                          true});
}

QString Outcome_Words(const Update_Record& R, const Shared_State& State) {
    return Outcome_In(R, {State.Text(Msg_Restore_Of), State.Text(Msg_Ended), State.Text(Msg_Killed),
                          State.Text(Msg_Still_Running), State.Text(Msg_Not_Started),
                          State.Text(Msg_Outcome_Unknown), false});
}

} // namespace vo
