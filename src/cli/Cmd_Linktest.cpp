#include "Cli_Config.h"
#include "Cli_Json.h"
#include "history/Config_Diff.h"
#include "history/Link_History.h"
#include "history/Snapshot.h"
#include "link/Link_Test.h"
#include "platform/Port_Probe.h"
#include "platform/Stop_Requests.h"
#include "update/Com_Ports.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

namespace vo {

namespace {

// The warning when the parameters differ from those of the last successful update (id of Lang_Strings).
constexpr int Msg_Changed_Since_Update = 1117;

struct Number_Option {
    QCommandLineOption Option;
    int Low;
    int High;
    int* Target;
};

std::optional<int> Whole_Number(const QString& Text, int Low, int High) {
    bool Number = false;
    const int Value = Text.toInt(&Number);
    if (!Number || Value < Low || Value > High)
        return std::nullopt;
    return Value;
}

// Takes the number options into their targets; a usage problem in words, or "".
QString Read_Options(const QCommandLineParser& Parser, const QList<Number_Option>& Numbers) {
    for (const Number_Option& N : Numbers) {
        const QString Name = N.Option.names().first();
        if (!Parser.isSet(N.Option))
            continue;
        const std::optional<int> Value = Whole_Number(Parser.value(N.Option), N.Low, N.High);
        if (!Value)
            return QStringLiteral("--%1 takes a whole number from %2 to %3, not \"%4\"")
                .arg(Name)
                .arg(N.Low)
                .arg(N.High)
                .arg(Parser.value(N.Option));
        *N.Target = *Value;
    }
    return {};
}

QString Frame_Line(const Link_Frame& F) {
    QString Line = QStringLiteral("%1 ms  %2 %3  %4  %5")
                       .arg(static_cast<double>(F.Time_Us) / 1000.0, 9, 'f', 1)
                       .arg(Side_Name(F.Side), -5)
                       .arg(Direction_Name(F.Dir), -8)
                       .arg(Raw_Text(F), Meaning_Text(F));
    if (F.Kind != Line_Chunk::Kind::Frame)
        Line += QStringLiteral("  [%1]").arg(Check_Name(F));
    if (F.Latency_Us >= 0)
        Line += QStringLiteral("  (%1 ms)").arg(static_cast<double>(F.Latency_Us) / 1000.0, 0, 'f', 1);
    return Line;
}

void Print_Summary(QTextStream& Out, const Link_Summary& S, const Shared_State& State) {
    const Link_Counts& C = S.Counts;
    if (S.Plan.Mode != Link_Mode::Listen) {
        Out << Counts_Words(C, State) << '\n';
        QStringList Exceptions;
        for (const auto& [Code, Count] : C.Exceptions)
            Exceptions.append(QStringLiteral("%1 x %2").arg(Count).arg(Exception_Name(Code)));
        if (!Exceptions.isEmpty())
            Out << "exceptions: " << Exceptions.join(QStringLiteral(", ")) << '\n';
        if (C.Request_Altered + C.Answer_Altered + C.Malformed + C.Read_Back_Differs > 0)
            Out << "requests altered " << C.Request_Altered << ", answers altered " << C.Answer_Altered
                << ", malformed " << C.Malformed << ", read back differs " << C.Read_Back_Differs << '\n';
    }
    if (const QString Latency = Latency_Words(C, State); !Latency.isEmpty())
        Out << Latency << '\n';
    Out << Verdict_Words(S, State) << '\n';
    for (const QString& Cause : Cause_Words(S, State))
        Out << "  " << Terminal_Text(Cause) << '\n';
}

} // namespace

// linktest CONFIG --port DEV [--loop-port DEV2 | --listen [--side rtu|ascii]] [--slave N] [--function F]
// [--start A] [--count C] [--polls N] [--timeout MS] [--interval MS] [--seconds S] [--json] [--force-port]:
// the converter tested on the line with the configuration's settings; the run is kept in its history.
int Run_Linktest(Cli_Context& Context) {
    QCommandLineParser Parser;
    Parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption Port(QStringLiteral("port"), QString(), QStringLiteral("DEV"));
    const QCommandLineOption Loop_Port(QStringLiteral("loop-port"), QString(), QStringLiteral("DEV2"));
    const QCommandLineOption Listen(QStringLiteral("listen"));
    const QCommandLineOption Side(QStringLiteral("side"), QString(), QStringLiteral("rtu|ascii"));
    const QCommandLineOption Json(QStringLiteral("json"));
    const QCommandLineOption Force_Port(QStringLiteral("force-port"));
    Link_Plan Plan;
    Plan.Request = {Modbus_Function::Read_Holding_Registers, 0, 10, {}};
    int Seconds = 0;
    const QList<Number_Option> Numbers = {
        {QCommandLineOption(QStringLiteral("slave"), QString(), QStringLiteral("N")), 0, 255, &Plan.Slave},
        {QCommandLineOption(QStringLiteral("function"), QString(), QStringLiteral("F")), 0, 255,
         &Plan.Request.Function},
        {QCommandLineOption(QStringLiteral("start"), QString(), QStringLiteral("A")), 0, 65535,
         &Plan.Request.Start},
        {QCommandLineOption(QStringLiteral("count"), QString(), QStringLiteral("C")), 0, 65536,
         &Plan.Request.Count},
        {QCommandLineOption(QStringLiteral("polls"), QString(), QStringLiteral("N")), 0, 100000000,
         &Plan.Polls},
        {QCommandLineOption(QStringLiteral("timeout"), QString(), QStringLiteral("MS")), 1, 600000,
         &Plan.Timeout_Ms},
        {QCommandLineOption(QStringLiteral("interval"), QString(), QStringLiteral("MS")), 0, 600000,
         &Plan.Interval_Ms},
        {QCommandLineOption(QStringLiteral("seconds"), QString(), QStringLiteral("S")), 1, 86400 * 7,
         &Seconds},
    };
    for (const QCommandLineOption& Option : {Port, Loop_Port, Listen, Side, Json, Force_Port})
        Parser.addOption(Option);
    for (const Number_Option& N : Numbers)
        Parser.addOption(N.Option);
    if (!Parser.parse(QStringList{QStringLiteral("linktest")} + Context.Args)) {
        Context.Err << "vo40913-cli: " << Parser.errorText() << '\n';
        return Usage_Error(Context, "linktest");
    }
    QString Problem = Read_Options(Parser, Numbers);
    if (Problem.isEmpty() && Parser.positionalArguments().size() != 1)
        Problem = QStringLiteral("linktest takes one configuration");
    if (Problem.isEmpty() && !Parser.isSet(Port))
        Problem = QStringLiteral("--port DEV is missing");
    if (Problem.isEmpty() && Parser.isSet(Listen) && Parser.isSet(Loop_Port))
        Problem = QStringLiteral("--listen and --loop-port exclude each other");
    if (Problem.isEmpty() && Parser.isSet(Side) && !Parser.isSet(Listen))
        Problem = QStringLiteral(
            "--side goes with --listen: a poll or a loop takes the sides from the configuration");
    const QString Side_Text = Parser.value(Side).toLower();
    if (Problem.isEmpty() && Parser.isSet(Side) && Side_Text != u"rtu" && Side_Text != u"ascii")
        Problem = QStringLiteral("--side takes rtu or ascii, not \"%1\"").arg(Parser.value(Side));
    if (!Problem.isEmpty()) {
        Context.Err << "vo40913-cli: " << Problem << '\n';
        return Usage_Error(Context, "linktest");
    }
    const std::optional<Par_Gen> Set = Load_Config(Context, Parser.positionalArguments().first());
    if (!Set)
        return Exit_Failed;
    Result<Converter_Sides> Sides = Sides_Of(*Set);
    if (!Sides) {
        Context.Err << "vo40913-cli: the link test needs the line settings of both sides: " << Sides.Error()
                    << '\n';
        return Exit_Failed;
    }
    Plan.Sides = *Sides;
    // A single write carries one value: its count needs no saying.
    if (!Parser.isSet(QStringLiteral("count")) && Max_Count(Plan.Request.Function) == 1)
        Plan.Request.Count = 1;
    Plan.Port = Parser.value(Port);
    Plan.Loop_Port = Parser.value(Loop_Port);
    Plan.Mode = Parser.isSet(Listen)      ? Link_Mode::Listen
                : Parser.isSet(Loop_Port) ? Link_Mode::Loop
                                          : Link_Mode::Poll;
    Plan.Listen_Side = !Parser.isSet(Side)   ? Plan.Sides.Slave_Side
                       : Side_Text == u"rtu" ? Modbus_Side::RTU
                                             : Modbus_Side::ASCII;
    if (const QString Wrong = Plan_Problem(Plan); !Wrong.isEmpty()) {
        Context.Err << "vo40913-cli: " << Wrong << '\n';
        return Usage_Error(Context, "linktest");
    }

    const Change_Summary Changes =
        Changes_Since_Success(Context.State.Project_Path, Context.State.ParGen_File, Context.State);
    if (!Changes.Error_Text.isEmpty())
        Context.Err << "vo40913-cli: the parameters could not be compared with the last successful update: "
                    << Terminal_Text(Changes.Error_Text) << '\n';
    if (Changes.Has_Success && !Changes.Lines.isEmpty()) {
        QStringList Fields;
        for (const Diff_Line& Line : Changes.Lines)
            Fields.append(Diff_Text(Line));
        Context.Err << Context.State.Text(Msg_Changed_Since_Update) << Fields.join(QStringLiteral("; "))
                    << '\n';
    }
    // A port another program holds would mix that program's frames with the test's.
    const std::unique_ptr<Port_Probe> Probe = Make_Port_Probe();
    for (const QString& Name : {Plan.Port, Plan.Loop_Port}) {
        if (Name.isEmpty())
            continue;
        const Port_Status Seen = Probe->Status_Of(Name.toStdString());
        if (Seen.Port_State == Port_Status::State::Busy && !Parser.isSet(Force_Port)) {
            Context.Err << "vo40913-cli: the port " << Name << " is " << Port_State_Words(Seen, Context.State)
                        << "; --force-port tests on it all the same\n";
            return Exit_Failed;
        }
    }

    if (Plan.Mode != Link_Mode::Listen && Is_Write_Function(Plan.Request.Function))
        Context.Err << "vo40913-cli: function " << Plan.Request.Function << " writes test values into "
                    << Plan.Request.Count
                    << (Is_Bit_Function(Plan.Request.Function) ? " coils" : " registers") << " from address "
                    << Plan.Request.Start << " of slave " << Plan.Slave
                    << ", which keep them after the test\n";
    // The files as they are now: what the run tests, whatever changes during it.
    const Result<Config_Files> Tested = Read_Config_Files(Context.State.Project_Path, false);
    if (!Tested) {
        Context.Err << "vo40913-cli: " << Terminal_Text(Tested.Error()) << '\n';
        return Exit_Failed;
    }
    const bool As_Json = Parser.isSet(Json);
    Link_Test Test(Plan);
    QObject::connect(&Test, &Link_Test::Frame_Seen, &Test, [&](const Link_Frame& Frame) {
        if (!As_Json)
            Context.Out << Terminal_Text(Frame_Line(Frame)) << '\n';
    });
    QObject::connect(&Test, &Link_Test::No_Answer, &Test, [&](qint64 Time_Us, int Timeout_Ms) {
        if (!As_Json)
            Context.Out << QStringLiteral("%1 ms  no answer within %2 ms\n")
                               .arg(static_cast<double>(Time_Us) / 1000.0, 9, 'f', 1)
                               .arg(Timeout_Ms);
    });
    QObject::connect(&Test, &Link_Test::Finished, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (const Status Started = Test.Start(); !Started) {
        Context.Err << "vo40913-cli: " << Terminal_Text(Started.Error()) << '\n';
        return Exit_Failed;
    }
    if (!As_Json) {
        QString Header = QStringLiteral("%1 on %2 (%3, %4)")
                             .arg(Mode_Name(Plan.Mode), Plan.Port, Side_Name(Plan.Port_Side()),
                                  Line_Text(Plan.Sides.Line(Plan.Port_Side())));
        if (Plan.Mode == Link_Mode::Loop)
            Header += QStringLiteral(" and %1 (%2, %3)")
                          .arg(Plan.Loop_Port, Side_Name(Plan.Sides.Master_Side),
                               Line_Text(Plan.Sides.Line(Plan.Sides.Master_Side)));
        if (Plan.Mode != Link_Mode::Listen)
            Header += QStringLiteral(", slave %1, answer time-out %2 ms")
                          .arg(Plan.Slave)
                          .arg(Plan.Response_Timeout_Ms());
        Context.Out << Terminal_Text(Header) << '\n';
    }
    Context.Out.flush();
    // Ctrl+C or a listen without end stops the run; what was counted is kept.
    Stop_Requests Requests;
    QTimer Look;
    QObject::connect(&Look, &QTimer::timeout, &Test, [&] {
        if (Requests.Take() != 0)
            Test.Stop();
    });
    Look.start(100);
    if (Seconds > 0)
        QTimer::singleShot(std::chrono::seconds(Seconds), &Test, &Link_Test::Stop);
    QCoreApplication::exec();
    Look.stop();

    const Link_Summary& Summary = Test.Summary();
    const QJsonObject Record = Summary_Json(Summary, Context.State);
    const Result<QString> Recorded = Record_Link_Test(Context.State.Project_Path, *Tested, Record);
    if (As_Json) {
        QJsonObject Document = Record;
        Document.insert(QStringLiteral("configuration"), Context.State.Project_Path);
        Document.insert(QStringLiteral("record"), Recorded ? *Recorded : QString());
        Document.insert(QStringLiteral("record_error"), Recorded.Error());
        Print_Json(Context, Document);
    } else {
        Print_Summary(Context.Out, Summary, Context.State);
    }
    if (!Recorded)
        Context.Err << "vo40913-cli: the link test could not be added to the history: "
                    << Terminal_Text(Recorded.Error()) << '\n';
    // A pass that left no evidence is no pass to report.
    return Summary.Passed() && Recorded ? Exit_Ok : Exit_Failed;
}

} // namespace vo
