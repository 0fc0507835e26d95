#include "Cli_Run.h"
#include "Pty_Slave.h"
#include "link/Modbus_Framing.h"
#include "link/Modbus_Pdu.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

using namespace vo_test;

namespace {

const QString Python = QStringLiteral("/usr/bin/python3");
const QString Sim_Dir = QStringLiteral(VO_SOURCE_DIR "/tests/converter_sim/");

// The configuration "K" of a copied vo40913-cli with its images built, and a converter simulator
// (and with it pymodbus as the field device) started on those images.
class Cli_Linktest : public Copied_Cli {
protected:
    void SetUp() override {
        Copied_Cli::SetUp();
        if (QProcess::execute(Python, {QStringLiteral("-c"), QStringLiteral("import pymodbus")}) != 0)
            GTEST_SKIP()
                << "Debian's python3-pymodbus is not installed (scripts/install-deps.sh installs it)";
        ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("K")}).Exit_Code, 0);
    }

    void TearDown() override {
        for (QProcess* Process : {&Simulator, &Direct})
            if (Process->state() != QProcess::NotRunning) {
                Process->terminate();
                if (!Process->waitForFinished(5000))
                    Process->kill();
            }
    }

    void Set(const QStringList& Values) {
        const Run_Result Done = Run(QStringList{QStringLiteral("set"), QStringLiteral("K")} + Values);
        ASSERT_EQ(Done.Exit_Code, 0) << Done.Err_Lines.join(u'\n').toStdString();
    }

    void Build() { ASSERT_EQ(Run({QStringLiteral("build"), QStringLiteral("K")}).Exit_Code, 0); }

    // Waits for a helper to write its ready file.
    static void Wait_Ready(QProcess& Process, const QString& Ready) {
        for (int I = 0; I < 200 && !QFile::exists(Ready); ++I) {
            ASSERT_NE(Process.state(), QProcess::NotRunning) << Process.readAllStandardError().toStdString();
            QThread::msleep(50);
        }
        ASSERT_TRUE(QFile::exists(Ready)) << "the helper did not get ready";
    }

    void Start_Simulator(const QStringList& Extra = {}) {
        const QString Ready = Root.filePath(QStringLiteral("sim.ready"));
        QFile::remove(Ready);
        Simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        Simulator.start(Python,
                        QStringList{Sim_Dir + QStringLiteral("converter_sim.py"), QStringLiteral("--bin"),
                                    Projects_Dir() + QStringLiteral("/K/bin"), QStringLiteral("--rtu-link"),
                                    Rtu_Link, QStringLiteral("--ascii-link"), Ascii_Link,
                                    QStringLiteral("--ready-file"), Ready} +
                            Extra);
        Wait_Ready(Simulator, Ready);
    }

    void Start_Direct_Slave(const QString& Framer, int Baud) {
        const QString Ready = Root.filePath(QStringLiteral("direct.ready"));
        QFile::remove(Ready);
        Direct.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        Direct.start(Python, {Sim_Dir + QStringLiteral("direct_slave.py"), QStringLiteral("--framer"), Framer,
                              QStringLiteral("--link"), Rtu_Link, QStringLiteral("--slave"),
                              QStringLiteral("1"), QStringLiteral("--baud"), QString::number(Baud),
                              QStringLiteral("--ready-file"), Ready});
        Wait_Ready(Direct, Ready);
    }

    Run_Result Linktest(const QStringList& Args) {
        return Run(QStringList{QStringLiteral("linktest"), QStringLiteral("K")} + Args);
    }

    QJsonArray Records() {
        const Run_Result Listed =
            Run({QStringLiteral("history"), QStringLiteral("--json"), QStringLiteral("K")});
        return QJsonDocument::fromJson(Listed.Out.toUtf8())
            .object()
            .value(QStringLiteral("records"))
            .toArray();
    }

    QProcess Simulator;
    QProcess Direct;
    QString Rtu_Link = Root.filePath(QStringLiteral("ttyRTU"));
    QString Ascii_Link = Root.filePath(QStringLiteral("ttyASCII"));
};

QString Last_Line(const Run_Result& R) {
    return R.Out.trimmed().section(u'\n', -1);
}

// Through the converter in both operation modes: the PC polls the slave side, the simulator
// forwards to pymodbus on the master side and back.
TEST_F(Cli_Linktest, Polls_Pass_Through_The_Converter_In_Both_Modes) {
    for (const auto& [Mode, Function] : {std::pair{"0", "3"}, std::pair{"1", "16"}}) {
        Set({QStringLiteral("MODE_DEV=%1").arg(QLatin1String(Mode)), QStringLiteral("BAUD_RTU=4"),
             QStringLiteral("PAR_RTU=2"), QStringLiteral("BAUD_ASCII=3"), QStringLiteral("TO_RTU=500"),
             QStringLiteral("TO_ASCII=500")});
        Build();
        Start_Simulator({QStringLiteral("--field-slave"), QStringLiteral("7"),
                         QStringLiteral("--field-registers-from"), QStringLiteral("100")});
        const QString Port = QLatin1String(Mode) == u"0" ? Rtu_Link : Ascii_Link;
        const Run_Result Done =
            Linktest({QStringLiteral("--port"), Port, QStringLiteral("--slave"), QStringLiteral("7"),
                      QStringLiteral("--function"), QLatin1String(Function), QStringLiteral("--count"),
                      QStringLiteral("4"), QStringLiteral("--polls"), QStringLiteral("3")});
        EXPECT_EQ(Done.Exit_Code, 0) << Mode << Done.Out.toStdString();
        EXPECT_TRUE(Last_Line(Done).startsWith(
            QStringLiteral("Link OK: %1 of %1 answers").arg(QLatin1String(Function) == u"3" ? 3 : 6)))
            << Done.Out.toStdString();
        if (QLatin1String(Function) == u"3") {
            EXPECT_TRUE(Done.Out.contains(QStringLiteral("slave 7: = 100, 101, 102, 103")))
                << Done.Out.toStdString();
        }
        TearDown();
    }
    const QJsonArray Runs = Records();
    ASSERT_EQ(Runs.size(), 2);
    const QJsonObject Link = Runs[0].toObject().value(QStringLiteral("link")).toObject();
    EXPECT_EQ(Runs[0].toObject().value(QStringLiteral("kind")).toString(), QStringLiteral("linktest"));
    EXPECT_TRUE(Link.value(QStringLiteral("passed")).toBool());
    EXPECT_EQ(Link.value(QStringLiteral("line")).toString(), QStringLiteral("19200 8E1 RS485"));
    EXPECT_EQ(Link.value(QStringLiteral("counts")).toObject().value(QStringLiteral("good")).toInt(), 3);
}

// Two adapters: the PC is also the field device, and sees each request arrive translated.
TEST_F(Cli_Linktest, A_Loop_Checks_Both_Ways_And_Reads_Back_What_It_Wrote) {
    Set({QStringLiteral("BAUD_RTU=6"), QStringLiteral("BAUD_ASCII=5")});
    Build();
    Start_Simulator();
    for (const char* Function : {"3", "16", "15"}) {
        const Run_Result Done =
            Linktest({QStringLiteral("--port"), Rtu_Link, QStringLiteral("--loop-port"), Ascii_Link,
                      QStringLiteral("--function"), QLatin1String(Function), QStringLiteral("--count"),
                      QStringLiteral("20"), QStringLiteral("--polls"), QStringLiteral("4")});
        EXPECT_EQ(Done.Exit_Code, 0) << Function << Done.Out.toStdString();
        EXPECT_TRUE(Done.Out.contains(QStringLiteral("ASCII received"))) << Done.Out.toStdString();
        EXPECT_FALSE(Done.Out.contains(QStringLiteral("requests altered"))) << Done.Out.toStdString();
    }
}

// Without a field device behind it the converter answers exception 0B after its time-out; a port
// opened at another speed than the image holds gets garbage.
TEST_F(Cli_Linktest, Failures_Are_Named_With_Their_Likely_Cause) {
    Set({QStringLiteral("BAUD_RTU=4"), QStringLiteral("TO_ASCII=200")});
    Build();
    Start_Simulator();
    const Run_Result Silent = Linktest({QStringLiteral("--port"), Rtu_Link, QStringLiteral("--polls"),
                                        QStringLiteral("2"), QStringLiteral("--json")});
    EXPECT_EQ(Silent.Exit_Code, 1);
    const QJsonObject Json = QJsonDocument::fromJson(Silent.Out.toUtf8()).object();
    EXPECT_EQ(Json.value(QStringLiteral("counts")).toObject().value(QStringLiteral("exceptions")).toObject(),
              (QJsonObject{{QStringLiteral("11"), 2}}));
    EXPECT_TRUE(
        Json.value(QStringLiteral("causes")).toArray().first().toString().contains(QStringLiteral("0B")));

    Set({QStringLiteral("BAUD_RTU=3")}); // the images still say 19200
    const Run_Result Wrong_Baud =
        Linktest({QStringLiteral("--port"), Rtu_Link, QStringLiteral("--polls"), QStringLiteral("2"),
                  QStringLiteral("--timeout"), QStringLiteral("300")});
    EXPECT_EQ(Wrong_Baud.Exit_Code, 1);
    EXPECT_TRUE(Wrong_Baud.Out.contains(QStringLiteral("Answers arrive damaged")))
        << Wrong_Baud.Out.toStdString();
}

// The converter pulled out mid-run: the run ends with the reason and what it counted.
TEST_F(Cli_Linktest, A_Port_That_Goes_Away_Ends_The_Run_With_Its_Counts) {
    Set({QStringLiteral("BAUD_RTU=7")});
    Build();
    Start_Simulator({QStringLiteral("--field-slave"), QStringLiteral("1")});
    QProcess Cli;
    Cli.start(Program, {QStringLiteral("linktest"), QStringLiteral("K"), QStringLiteral("--port"), Rtu_Link,
                        QStringLiteral("--polls"), QStringLiteral("0"), QStringLiteral("--json")});
    QThread::msleep(1500);
    Simulator.kill();
    ASSERT_TRUE(Cli.waitForFinished(10000));
    EXPECT_EQ(Cli.exitCode(), 1);
    const QJsonObject Json = QJsonDocument::fromJson(Cli.readAllStandardOutput()).object();
    EXPECT_FALSE(Json.value(QStringLiteral("port_error")).toString().isEmpty());
    EXPECT_GT(Json.value(QStringLiteral("counts")).toObject().value(QStringLiteral("good")).toInt(), 0);
    EXPECT_EQ(Records().size(), 1);
}

// The PC's framing against pymodbus directly, once per framing.
TEST_F(Cli_Linktest, Each_Framing_Agrees_With_Pymodbus) {
    for (const auto& [Mode, Framer] : {std::pair{"0", "rtu"}, std::pair{"1", "ascii"}}) {
        Set({QStringLiteral("MODE_DEV=%1").arg(QLatin1String(Mode)), QStringLiteral("BAUD_RTU=7"),
             QStringLiteral("BAUD_ASCII=7")});
        Start_Direct_Slave(QLatin1String(Framer), 115200);
        for (const char* Function : {"1", "3", "6", "16"}) {
            const Run_Result Done = Linktest(
                {QStringLiteral("--port"), Rtu_Link, QStringLiteral("--function"), QLatin1String(Function),
                 QStringLiteral("--count"), QLatin1String(QByteArray(Function) == "6" ? "1" : "8"),
                 QStringLiteral("--polls"), QStringLiteral("2")});
            EXPECT_EQ(Done.Exit_Code, 0) << Framer << " function " << Function << Done.Out.toStdString();
        }
        TearDown();
    }
}

// A line heard without sending: frames and noise told apart.
TEST_F(Cli_Linktest, Listen_Decodes_The_Line_Without_Sending) {
    Pty_Slave Line(vo::Modbus_Side::RTU, 1, false);
    QProcess Cli;
    Cli.start(Program,
              {QStringLiteral("linktest"), QStringLiteral("K"), QStringLiteral("--port"), Line.Path(),
               QStringLiteral("--listen"), QStringLiteral("--seconds"), QStringLiteral("2")});
    QThread::msleep(700);
    const QByteArray Request = vo::Framed(vo::Modbus_Side::RTU, {1, vo::Request_Pdu({3, 0, 2, {}})});
    const QByteArray Answer = vo::Framed(vo::Modbus_Side::RTU, {1, vo::Read_Response_Pdu(3, {5, 6})});
    Line.Write(Request);
    QThread::msleep(20);
    Line.Write(Answer);
    QThread::msleep(20);
    Line.Write(QByteArray("\x01\x03\x00", 3));
    ASSERT_TRUE(Cli.waitForFinished(10000));
    const QString Out = QString::fromUtf8(Cli.readAllStandardOutput());
    EXPECT_EQ(Cli.exitCode(), 1) << Out.toStdString();
    EXPECT_TRUE(Out.contains(QStringLiteral("slave 1: read holding registers 0..1"))) << Out.toStdString();
    EXPECT_TRUE(Out.contains(QStringLiteral("slave 1: = 5, 6"))) << Out.toStdString();
    EXPECT_TRUE(Out.contains(QStringLiteral("Frames heard: 3, with errors: 1"))) << Out.toStdString();
}

// Slaves that misbehave on purpose: what they do is counted as what it is, and only a clean line
// passes.
TEST_F(Cli_Linktest, Misbehaving_Slaves_Are_Counted_For_What_They_Do) {
    using vo_test::Line_Piece;
    struct Case {
        const char* Name;
        vo_test::Responder Respond;
        QStringList Args;
        int Exit_Code;
        const char* Count; // a count of the JSON that must not be 0
        bool None_Right = false;
    };
    const auto Rtu = [](const QByteArray& Pdu) {
        return vo::Framed(vo::Modbus_Side::RTU, {1, Pdu});
    };
    const Case Cases[] = {
        {"an exception with code 0",
         [&](const vo::Modbus_Frame&, const QByteArray&) {
             return QList<Line_Piece>{{0, Rtu(QByteArray("\x83\x00", 2))}};
         },
         {},
         1,
         "answers"},
        {"answers after the time-out",
         [](const vo::Modbus_Frame&, const QByteArray& A) {
             return QList<Line_Piece>{{250, A}};
         },
         {QStringLiteral("--timeout"), QStringLiteral("100")},
         1,
         "late"},
        {"an adapter that echoes",
         [&](const vo::Modbus_Frame& R, const QByteArray& A) {
             return QList<Line_Piece>{{0, Rtu(R.Pdu)}, {5, A}};
         },
         {},
         0,
         "echoes"},
        {"two answers to one request",
         [](const vo::Modbus_Frame&, const QByteArray& A) {
             return QList<Line_Piece>{{0, A}, {5, A}};
         },
         {},
         1,
         "wrong_slave"},
        {"a slow slave stopped by --seconds",
         [](const vo::Modbus_Frame&, const QByteArray& A) {
             return QList<Line_Piece>{{60, A}};
         },
         {QStringLiteral("--polls"), QStringLiteral("0"), QStringLiteral("--seconds"), QStringLiteral("1")},
         0,
         "good"},
    };
    for (const Case& C : Cases) {
        vo_test::Pty_Slave Slave(vo::Modbus_Side::RTU, 1, true, C.Respond);
        const Run_Result Done =
            Linktest(QStringList{QStringLiteral("--port"), Slave.Path(), QStringLiteral("--polls"),
                                 QStringLiteral("3"), QStringLiteral("--json")} +
                     C.Args);
        EXPECT_EQ(Done.Exit_Code, C.Exit_Code) << C.Name << Done.Out.toStdString();
        const QJsonObject Counts =
            QJsonDocument::fromJson(Done.Out.toUtf8()).object().value(QStringLiteral("counts")).toObject();
        EXPECT_GT(Counts.value(QLatin1String(C.Count)).toInt(), 0) << C.Name << Done.Out.toStdString();
        if (C.None_Right) {
            EXPECT_EQ(Counts.value(QStringLiteral("good")).toInt(), 0)
                << C.Name << ": a late or extra answer is never taken for the next request's";
        }
    }
}

TEST_F(Cli_Linktest, Bad_Values_Are_Usage_Errors_And_Nothing_Is_Recorded) {
    const QList<QStringList> Bad = {
        {QStringLiteral("--port"), Rtu_Link, QStringLiteral("--slave"), QStringLiteral("0")},
        {QStringLiteral("--port"), Rtu_Link, QStringLiteral("--slave"), QStringLiteral("248")},
        {QStringLiteral("--port"), Rtu_Link, QStringLiteral("--count"), QStringLiteral("126")},
        {QStringLiteral("--port"), Rtu_Link, QStringLiteral("--function"), QStringLiteral("1"),
         QStringLiteral("--count"), QStringLiteral("2001")},
        {QStringLiteral("--port"), Rtu_Link, QStringLiteral("--function"), QStringLiteral("7")},
        {QStringLiteral("--port"), Rtu_Link, QStringLiteral("--polls"), QStringLiteral("many")},
        {QStringLiteral("--port"), Rtu_Link, QStringLiteral("--listen"), QStringLiteral("--loop-port"),
         Ascii_Link},
        {QStringLiteral("--port"), Rtu_Link, QStringLiteral("--loop-port"), Rtu_Link},
        {QStringLiteral("--port"), Rtu_Link, QStringLiteral("--no-such-option")},
        {QStringLiteral("--slave"), QStringLiteral("1")},
    };
    for (const QStringList& Args : Bad) {
        const Run_Result Done = Linktest(Args);
        EXPECT_EQ(Done.Exit_Code, 2) << Args.join(u' ').toStdString();
        EXPECT_TRUE(Done.Err_Lines.last().startsWith(QStringLiteral("Usage: vo40913-cli linktest")));
    }
    EXPECT_TRUE(Records().isEmpty());
}

} // namespace
