#include "Record_Words.h"

#include "shell/Shared_State.h"
#include "update/Com_Ports.h"

namespace vo {

namespace {

// Message ids of the words.
constexpr int Msg_Link_Test = 1100;
constexpr int Msg_Update = 1168;
constexpr int Msg_Restore = 1169;
constexpr int Msg_Success = 1164;
constexpr int Msg_Failure = 1165;
constexpr int Msg_Still_Running = 1166;
constexpr int Msg_Not_Started = 1167;
constexpr int Msg_Outcome_Unknown = 1099;
constexpr int Msg_Passed = 1176;
constexpr int Msg_Failed = 1177;
constexpr int Msg_Exit_Code = 1189;
constexpr int Msg_Killed = 1094;
constexpr int Msg_Still_Running_At_Limit = 1095;
constexpr int Msg_Restore_Of = 1097;
constexpr int Msg_First_Option = 1015;
constexpr int Msg_Read_Back = 1018;

bool Link_Passed(const Update_Record& Record) {
    return Record.Link.value(QStringLiteral("passed")).toBool();
}

} // namespace

QString Local_Time_Text(const QString& Iso) {
    const QDateTime Time = QDateTime::fromString(Iso, Qt::ISODateWithMs);
    return Time.isValid() ? Time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss t")) : Iso;
}

QString Local_Zone_Text() {
    return QDateTime::currentDateTime().toString(QStringLiteral("t"));
}

QString Kind_Words(const Update_Record& Record, const Shared_State& State) {
    switch (Record.Record_Kind) {
    case Update_Record::Kind::Update:
        return State.Text(Msg_Update).trimmed();
    case Update_Record::Kind::Restore:
        return State.Text(Msg_Restore).trimmed();
    case Update_Record::Kind::Link_Test:
        break;
    }
    return State.Text(Msg_Link_Test).trimmed();
}

QString Result_Words(const Update_Record& Record, const Shared_State& State) {
    int Id = Msg_Failure;
    if (Record.Record_Kind == Update_Record::Kind::Restore)
        return {};
    if (Record.Record_Kind == Update_Record::Kind::Link_Test)
        Id = Link_Passed(Record) ? Msg_Success : Msg_Failure;
    else if (Record.Succeeded())
        Id = Msg_Success;
    else if (Record.Result == Update_Record::Outcome::Still_Running)
        Id = Msg_Still_Running;
    else if (Record.Result == Update_Record::Outcome::Not_Started)
        Id = Msg_Not_Started;
    else if (Record.Result == Update_Record::Outcome::Launched)
        Id = Msg_Outcome_Unknown;
    return State.Text(Id).trimmed();
}

QString Detail_Words(const Update_Record& Record, const Shared_State& State) {
    if (Record.Record_Kind == Update_Record::Kind::Restore)
        return State.Text(Msg_Restore_Of) + Record.Restored;
    if (Record.Record_Kind == Update_Record::Kind::Link_Test)
        return Record.Link.value(QStringLiteral("verdict")).toString();
    switch (Record.Result) {
    case Update_Record::Outcome::Ended:
        return Record.Term_Signal != 0 ? State.Text(Msg_Killed) + QString::number(Record.Term_Signal)
                                       : State.Text(Msg_Exit_Code).arg(Record.Exit_Code);
    case Update_Record::Outcome::Still_Running:
        return State.Text(Msg_Still_Running_At_Limit).trimmed();
    case Update_Record::Outcome::Not_Started:
        return Record.Error_Text;
    case Update_Record::Outcome::Launched:
        break;
    }
    return {};
}

QString Option_Words(const Update_Record& Record, const Shared_State& State) {
    if (Record.Record_Kind != Update_Record::Kind::Update || Record.Option_Index < 0 ||
        Record.Option_Index > 2)
        return {};
    QString Words = State.Text(Msg_First_Option + Record.Option_Index).trimmed();
    if (Record.Read_Back)
        Words += QStringLiteral(", ") + State.Text(Msg_Read_Back).trimmed();
    return Words;
}

QString Link_Verdict_Words(const Update_Record& Record, const Shared_State& State) {
    if (Record.Record_Kind != Update_Record::Kind::Link_Test)
        return {};
    return State.Text(Link_Passed(Record) ? Msg_Passed : Msg_Failed).trimmed();
}

QString Duration_Words(const Update_Record& Record) {
    const qint64 Ms = Record.Record_Kind == Update_Record::Kind::Link_Test
                          ? Record.Link.value(QStringLiteral("duration_ms")).toInteger()
                          : Record.Duration_Ms;
    const bool Never_Ran = Record.Record_Kind == Update_Record::Kind::Update &&
                           Record.Result == Update_Record::Outcome::Not_Started;
    if (Ms < 0 || Never_Ran)
        return {};
    if (Ms < 1000)
        return QStringLiteral("%1 ms").arg(Ms);
    if (Ms < 60'000)
        return QStringLiteral("%1 s").arg(static_cast<double>(Ms) / 1000.0, 0, 'f', 1);
    const qint64 Seconds = Ms / 1000;
    return QStringLiteral("%1 min %2 s").arg(Seconds / 60).arg(Seconds % 60, 2, 10, QChar(u'0'));
}

QString Adapter_Words(const QJsonObject& Adapter) {
    if (Adapter.isEmpty())
        return {};
    const Port_Details D = Port_Details_From_Json(Adapter);
    if (D.Port_Kind == Port_Details::Kind::Built_In)
        return QStringLiteral("built-in serial port");
    QStringList Parts;
    for (const std::string& Part : {D.Maker, D.Model})
        if (!Part.empty())
            Parts.append(QString::fromStdString(Part));
    if (!D.Serial_Number.empty())
        Parts.append(QStringLiteral("serial number ") + QString::fromStdString(D.Serial_Number));
    if (!D.Vendor_Id.empty())
        Parts.append(QString::fromStdString(D.Vendor_Id + ':' + D.Product_Id));
    if (!D.Stable_Name.empty())
        Parts.append(QString::fromStdString(D.Stable_Name));
    return Parts.join(QStringLiteral(", "));
}

} // namespace vo
