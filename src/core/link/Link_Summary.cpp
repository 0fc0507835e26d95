#include "Link_Summary.h"

#include "shell/Shared_State.h"

#include <QFileInfo>
#include <QJsonArray>
#include <algorithm>

namespace vo {

namespace {

// Ids of Lang_Strings.
constexpr int Msg_Link_Ok = 1102;
constexpr int Msg_Link_Failed = 1103;
constexpr int Msg_No_Answer = 1104;
constexpr int Msg_Damaged = 1105;
constexpr int Msg_Field_Silent = 1106;
constexpr int Msg_Refused = 1107;
constexpr int Msg_Other_Device = 1108;
constexpr int Msg_Late = 1109;
constexpr int Msg_Altered = 1110;
constexpr int Msg_Read_Back = 1111;
constexpr int Msg_Noise = 1112;
constexpr int Msg_Heard = 1113;
constexpr int Msg_Nothing_Heard = 1114;
constexpr int Msg_Port_Failed = 1115;
constexpr int Msg_Some_Unanswered = 1116;
constexpr int Msg_Counts = 1140;
constexpr int Msg_Latency = 1141;
constexpr int Msg_Timeout_Below_Converter = 1146;

QString Ms_Text(double Ms) {
    return QString::number(Ms, 'f', Ms < 10 ? 1 : 0);
}

} // namespace

QString Mode_Name(Link_Mode Mode) {
    switch (Mode) {
    case Link_Mode::Poll:
        return QStringLiteral("poll");
    case Link_Mode::Loop:
        return QStringLiteral("loop");
    case Link_Mode::Listen:
        break;
    }
    return QStringLiteral("listen");
}

int Link_Plan::Response_Timeout_Ms() const {
    return Timeout_Ms > 0 ? Timeout_Ms : Default_Response_Timeout_Ms(Sides, Request);
}

QString Plan_Problem(const Link_Plan& Plan) {
    if (Plan.Port.isEmpty())
        return QStringLiteral("no port is chosen");
    if (Plan.Mode == Link_Mode::Listen)
        return {};
    if (Plan.Slave < 1 || Plan.Slave > Highest_Slave)
        return QStringLiteral("slave address %1 is not between 1 and %2").arg(Plan.Slave).arg(Highest_Slave);
    Modbus_Request Request = Plan.Request;
    Request.Values = QList<std::uint16_t>(Request.Count > 0 ? Request.Count : 0, 0);
    if (const QString Problem = Request_Problem(Request); !Problem.isEmpty())
        return Problem;
    if (Plan.Polls < 0)
        return QStringLiteral("the number of polls %1 is negative").arg(Plan.Polls);
    if (Plan.Timeout_Ms < 0 || Plan.Timeout_Ms > 600000)
        return QStringLiteral("the time-out %1 ms is not between 1 and 600000").arg(Plan.Timeout_Ms);
    if (Plan.Mode == Link_Mode::Loop) {
        if (Plan.Loop_Port.isEmpty())
            return QStringLiteral("the loop test needs a second port on the converter's %1 side")
                .arg(Side_Name(Plan.Sides.Master_Side));
        const QString Canonical = QFileInfo(Plan.Port).canonicalFilePath();
        if (Plan.Loop_Port == Plan.Port ||
            (!Canonical.isEmpty() && Canonical == QFileInfo(Plan.Loop_Port).canonicalFilePath()))
            return QStringLiteral("the two ports of a loop test must differ");
    }
    return {};
}

int Link_Counts::Exception_Count() const {
    int Sum = 0;
    for (const auto& [Code, Count] : Exceptions)
        Sum += Count;
    return Sum;
}

void Latency_Sample::Add(qint64 Latency_Us) {
    Min = Seen == 0 ? Latency_Us : std::min(Min, Latency_Us);
    Max = Seen == 0 ? Latency_Us : std::max(Max, Latency_Us);
    ++Seen;
    if (Values.size() < Kept_Most) {
        Values.append(Latency_Us);
        return;
    }
    // Each latency seen so far stays with the same chance (reservoir sampling, xorshift64).
    Random ^= Random << 13;
    Random ^= Random >> 7;
    Random ^= Random << 17;
    if (const quint64 Slot = Random % static_cast<quint64>(Seen); Slot < static_cast<quint64>(Kept_Most))
        Values[static_cast<qsizetype>(Slot)] = Latency_Us;
}

Latency_Figures Latency_Of(const Latency_Sample& Sample) {
    if (Sample.Empty())
        return {};
    QList<qint64> Sorted = Sample.Kept();
    std::sort(Sorted.begin(), Sorted.end());
    const auto At = [&](double Fraction) {
        const auto Index = static_cast<qsizetype>(Fraction * static_cast<double>(Sorted.size() - 1) + 0.5);
        return static_cast<double>(Sorted[Index]) / 1000.0;
    };
    return {static_cast<double>(Sample.Least()) / 1000.0, At(0.5), At(0.95),
            static_cast<double>(Sample.Greatest()) / 1000.0};
}

bool Link_Summary::Passed() const {
    const Link_Counts& C = Counts;
    if (!Port_Error.isEmpty())
        return false;
    const bool Clean = C.Bad_Checks == 0 && C.Garbage == 0;
    if (Plan.Mode == Link_Mode::Listen)
        return C.Frames_Heard > 0 && Clean && C.Timeouts == 0;
    return C.Requests > 0 && C.Good == C.Requests && Clean && C.Wrong_Slave == 0 && C.Wrong_Function == 0 &&
           C.Late == 0;
}

QString Verdict_Words(const Link_Summary& S, const Shared_State& State) {
    const Link_Counts& C = S.Counts;
    if (S.Plan.Mode == Link_Mode::Listen)
        return C.Frames_Heard + C.Bad_Checks + C.Garbage == 0
                   ? State.Text(Msg_Nothing_Heard)
                   : State.Text(Msg_Heard)
                         .arg(C.Frames_Heard + C.Bad_Checks + C.Garbage)
                         .arg(C.Bad_Checks + C.Garbage);
    if (S.Passed())
        return State.Text(Msg_Link_Ok).arg(C.Good).arg(C.Requests).arg(Ms_Text(Latency_Of(C.Latency).Median));
    return State.Text(Msg_Link_Failed).arg(C.Good).arg(C.Requests);
}

QString Counts_Words(const Link_Counts& C, const Shared_State& State) {
    return State.Text(Msg_Counts)
        .arg(C.Requests)
        .arg(C.Answers)
        .arg(C.Good)
        .arg(C.Timeouts)
        .arg(C.Bad_Checks)
        .arg(C.Garbage)
        .arg(C.Exception_Count())
        .arg(C.Wrong_Slave + C.Wrong_Function)
        .arg(C.Late);
}

QString Latency_Words(const Link_Counts& C, const Shared_State& State) {
    if (C.Latency.Empty())
        return {};
    const Latency_Figures L = Latency_Of(C.Latency);
    return State.Text(Msg_Latency).arg(Ms_Text(L.Min), Ms_Text(L.Median), Ms_Text(L.P95), Ms_Text(L.Max));
}

QStringList Cause_Words(const Link_Summary& S, const Shared_State& State) {
    if (S.Passed())
        return {};
    const Link_Counts& C = S.Counts;
    QStringList Causes;
    if (!S.Port_Error.isEmpty())
        Causes.append(State.Text(Msg_Port_Failed) + S.Port_Error);
    const bool Anything_Back =
        C.Answers + C.Bad_Checks + C.Garbage + C.Wrong_Slave + C.Wrong_Function + C.Late > 0;
    const bool Listen = S.Plan.Mode == Link_Mode::Listen;
    // The converter answers only after its own TimeOut when its field device is silent.
    if (!Listen && S.Plan.Timeout_Ms > 0 && S.Plan.Timeout_Ms <= S.Plan.Sides.Master_Timeout_Ms &&
        C.Timeouts > 0)
        Causes.append(State.Text(Msg_Timeout_Below_Converter).arg(S.Plan.Sides.Master_Timeout_Ms));
    if (!Listen && C.Requests > 0 && !Anything_Back)
        Causes.append(State.Text(Msg_No_Answer));
    if (C.Bad_Checks + C.Garbage > 0)
        Causes.append(State.Text(C.Good == 0 ? Msg_Damaged : Msg_Noise));
    if (C.Exceptions.count(Modbus_Exception::Gateway_Target_No_Answer))
        Causes.append(State.Text(Msg_Field_Silent));
    for (const auto& [Code, Count] : C.Exceptions)
        if (Code != Modbus_Exception::Gateway_Target_No_Answer)
            Causes.append(State.Text(Msg_Refused).arg(Exception_Name(Code)));
    if (C.Wrong_Slave + C.Wrong_Function > 0)
        Causes.append(State.Text(Msg_Other_Device));
    if (C.Late > 0)
        Causes.append(State.Text(Msg_Late));
    if (C.Request_Altered + C.Answer_Altered + C.Malformed > 0)
        Causes.append(State.Text(Msg_Altered));
    if (C.Read_Back_Differs > 0)
        Causes.append(State.Text(Msg_Read_Back));
    if ((C.Answers > 0 || Listen) && C.Timeouts > 0 && C.Late == 0)
        Causes.append(State.Text(Msg_Some_Unanswered));
    return Causes;
}

QJsonObject Summary_Json(const Link_Summary& S, const Shared_State& State) {
    const Link_Plan& P = S.Plan;
    const Link_Counts& C = S.Counts;
    QJsonObject Exceptions;
    for (const auto& [Code, Count] : C.Exceptions)
        Exceptions.insert(QString::number(Code), Count);
    const Latency_Figures L = Latency_Of(C.Latency);
    QJsonObject O{
        {QStringLiteral("mode"), Mode_Name(P.Mode)},
        {QStringLiteral("port"), P.Port},
        {QStringLiteral("side"), Side_Name(P.Port_Side())},
        {QStringLiteral("line"), Line_Text(P.Sides.Line(P.Port_Side()))},
        {QStringLiteral("passed"), S.Passed()},
        {QStringLiteral("stopped"), S.Stopped},
        {QStringLiteral("verdict"), Verdict_Words(S, State)},
        {QStringLiteral("causes"), QJsonArray::fromStringList(Cause_Words(S, State))},
        {QStringLiteral("duration_ms"), S.Duration_Ms},
        {QStringLiteral("counts"), QJsonObject{{QStringLiteral("requests"), C.Requests},
                                               {QStringLiteral("answers"), C.Answers},
                                               {QStringLiteral("good"), C.Good},
                                               {QStringLiteral("timeouts"), C.Timeouts},
                                               {QStringLiteral("bad_checks"), C.Bad_Checks},
                                               {QStringLiteral("garbage"), C.Garbage},
                                               {QStringLiteral("wrong_slave"), C.Wrong_Slave},
                                               {QStringLiteral("wrong_function"), C.Wrong_Function},
                                               {QStringLiteral("late"), C.Late},
                                               {QStringLiteral("malformed"), C.Malformed},
                                               {QStringLiteral("request_altered"), C.Request_Altered},
                                               {QStringLiteral("answer_altered"), C.Answer_Altered},
                                               {QStringLiteral("read_back_differs"), C.Read_Back_Differs},
                                               {QStringLiteral("frames_heard"), C.Frames_Heard},
                                               {QStringLiteral("echoes"), C.Echoes},
                                               {QStringLiteral("echoes"), C.Echoes},
                                               {QStringLiteral("exceptions"), Exceptions}}},
        {QStringLiteral("latency_ms"), C.Latency.Empty() ? QJsonValue()
                                                         : QJsonObject{{QStringLiteral("min"), L.Min},
                                                                       {QStringLiteral("median"), L.Median},
                                                                       {QStringLiteral("p95"), L.P95},
                                                                       {QStringLiteral("max"), L.Max}}},
        {QStringLiteral("port_error"), S.Port_Error},
    };
    if (P.Mode == Link_Mode::Listen)
        return O;
    O.insert(QStringLiteral("loop_port"), P.Loop_Port);
    O.insert(QStringLiteral("slave"), P.Slave);
    O.insert(QStringLiteral("function"), P.Request.Function);
    O.insert(QStringLiteral("start"), P.Request.Start);
    O.insert(QStringLiteral("count"), P.Request.Count);
    O.insert(QStringLiteral("polls"), P.Polls);
    O.insert(QStringLiteral("timeout_ms"), P.Response_Timeout_Ms());
    return O;
}

} // namespace vo
