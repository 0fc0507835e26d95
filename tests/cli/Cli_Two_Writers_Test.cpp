#include "Child_Checks.h"
#include "Cli_Run.h"
#include "Fake_Port_Tree.h"
#include "Qt_Print.h"
#include "image/Par_Gen_Fixture.h"
#include "params/Par_Gen_File.h"
#include "util/Writer_Lock.h"

#include <QFileInfo>
#include <signal.h>

namespace {

using namespace std::chrono_literals;
using vo_test::Read_All;
using vo_test::Run_Result;

// Two copies of vo40913-cli never lose each other's work: the same folder of programs with two
// configurations, and fake updaters that record what they were handed.
class Two_Writers : public vo_test::Copied_Cli {
protected:
    void SetUp() override {
        Copied_Cli::SetUp();
        Install_Firmware();
        Ports.Add_Built_In(QStringLiteral("ttyUSB0"));
        for (const QString& Name : {QStringLiteral("P1"), QStringLiteral("P2")})
            ASSERT_TRUE(QDir().mkpath(Config(Name) + QStringLiteral("/bin")));
    }

    vo_test::Fake_Port_Tree Ports;
    QString Port = Ports.Dev(QStringLiteral("ttyUSB0"));

    QString Config(const QString& Name) const { return Exe_Dir + QStringLiteral("/PROJECTS/") + Name; }

    // Starts vo40913-cli with Args without waiting for it.
    std::unique_ptr<QProcess> Start(const QStringList& Args) const {
        auto Process = std::make_unique<QProcess>();
        Process->start(Program, Args);
        EXPECT_TRUE(Process->waitForStarted());
        return Process;
    }

    static Run_Result Finish(QProcess& Process) {
        Run_Result Result;
        if (!Process.waitForFinished(60000))
            return Result;
        Result.Exit_Code = Process.exitStatus() == QProcess::NormalExit ? Process.exitCode() : -1;
        Result.Out = QString::fromUtf8(Process.readAllStandardOutput());
        Result.Err_Lines = QString::fromUtf8(Process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        return Result;
    }

    // An updater that appends what it was handed (its arguments, or the job file it reads at once)
    // to the log, then takes a while over the transfer.
    void Install_Updaters() const {
        const QByteArray Log_Path = Log.toUtf8();
        ASSERT_TRUE(vo_test::Write_Script(Exe_Dir + QStringLiteral("/Ethernet_Update"),
                                          "{ cat \"$(dirname \"$0\")/Ethernet_Update.xml\"; echo; } >> '" +
                                              Log_Path + "'\nsleep 0.5\n"));
        ASSERT_TRUE(vo_test::Write_Script(Exe_Dir + QStringLiteral("/Ser_40913_Update"),
                                          "echo \"$@\" >> '" + Log_Path + "'\nsleep 0.5\n"));
    }

    QString Exe_Dir = QFileInfo(Root.path()).canonicalFilePath();
    QTemporaryDir Records;
    QString Log = Records.filePath(QStringLiteral("log"));
};

const QString Busy_Start =
    QStringLiteral("vo40913-cli: Error! The configuration is in use by another program: ");

} // namespace

TEST_F(Two_Writers, Two_Sets_On_Different_Fields_Never_Lose_A_Change) {
    ASSERT_EQ(Run({QStringLiteral("set"), QStringLiteral("P1"), QStringLiteral("MODE_DEV=1")}).Exit_Code, 0);
    int Refused = 0;
    for (int Round = 1; Round <= 25; ++Round) {
        SCOPED_TRACE(Round);
        const QString Value = QString::number(Round);
        auto Rtu = Start({QStringLiteral("set"), QStringLiteral("P1"), QStringLiteral("TO_RTU=") + Value});
        auto Ascii =
            Start({QStringLiteral("set"), QStringLiteral("P1"), QStringLiteral("TO_ASCII=") + Value});
        const Run_Result Results[] = {Finish(*Rtu), Finish(*Ascii)};
        vo::Par_Gen Set;
        ASSERT_TRUE(vo::Load_Par_Gen(Config(QStringLiteral("P1")) + QStringLiteral("/ParGen.xml"), Set));
        const QString Saved[] = {Set.TO_RTU, Set.TO_ASCII};
        for (int Side = 0; Side < 2; ++Side) {
            const Run_Result& Result = Results[Side];
            if (Result.Exit_Code == 0) {
                EXPECT_EQ(Saved[Side], Value) << "a change reported as saved was lost";
                continue;
            }
            ++Refused;
            EXPECT_EQ(Result.Exit_Code, 1);
            ASSERT_EQ(Result.Err_Lines.size(), 1);
            EXPECT_TRUE(Result.Err_Lines.first().startsWith(Busy_Start))
                << Result.Err_Lines.first().toStdString();
        }
    }
    RecordProperty("Refused", Refused);
}

TEST_F(Two_Writers, A_Held_Configuration_Makes_Every_Writer_Fail_Naming_The_Holder) {
    Install_Updaters();
    vo_test::Write_Par_Gen(Config(QStringLiteral("P1")), {{"Device_Type_Type", "0"}});
    const QByteArray Before = Read_All(Config(QStringLiteral("P1")) + QStringLiteral("/ParGen.xml"));
    vo::Writer_Lock Lock(vo::Lock_Of::Configuration, Config(QStringLiteral("P1")));
    ASSERT_TRUE(Lock.Acquire(0ms));
    const QString Holder = QStringLiteral("\"%1/.vo40913.lock\" is held by process %2")
                               .arg(Config(QStringLiteral("P1")))
                               .arg(QCoreApplication::applicationPid());
    for (const QStringList& Args :
         {QStringList{QStringLiteral("set"), QStringLiteral("P1"), QStringLiteral("TO_RTU=5")},
          QStringList{QStringLiteral("build"), QStringLiteral("P1")},
          QStringList{QStringLiteral("update"), QStringLiteral("P1"), QStringLiteral("--port"), Port}}) {
        SCOPED_TRACE(Args.first().toStdString());
        const Run_Result Result = Run(Args);
        EXPECT_EQ(Result.Exit_Code, 1);
        ASSERT_EQ(Result.Err_Lines.size(), 1);
        EXPECT_TRUE(Result.Err_Lines.first().startsWith(Busy_Start + Holder))
            << Result.Err_Lines.first().toStdString();
    }
    EXPECT_EQ(Read_All(Config(QStringLiteral("P1")) + QStringLiteral("/ParGen.xml")), Before);
    EXPECT_FALSE(QFile::exists(Config(QStringLiteral("P1")) + QStringLiteral("/bin/bankK.bin")));
    EXPECT_FALSE(QFile::exists(Log));
}

TEST_F(Two_Writers, Two_Updates_At_Once_Each_Hand_Their_Own_Job_Or_The_Second_Fails_Clearly) {
    Install_Updaters();
    const struct {
        const char* Name;
        QString P2_Type;
        QStringList P2_Target;
    } Cases[] = {
        {"Ethernet and Ethernet", QStringLiteral("1"), {QStringLiteral("--ip"), QStringLiteral("127.0.0.2")}},
        {"Ethernet and serial", QStringLiteral("0"), {QStringLiteral("--port"), Port}},
    };
    vo_test::Write_Par_Gen(Config(QStringLiteral("P1")), {{"Device_Type_Type", "1"}});
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        QFile::remove(Log);
        vo_test::Write_Par_Gen(Config(QStringLiteral("P2")), {{"Device_Type_Type", Case.P2_Type}});
        auto First = Start({QStringLiteral("update"), QStringLiteral("P1"), QStringLiteral("--ip"),
                            QStringLiteral("127.0.0.1")});
        auto Second = Start(QStringList{QStringLiteral("update"), QStringLiteral("P2")} + Case.P2_Target);
        const Run_Result Results[] = {Finish(*First), Finish(*Second)};
        const QString Logged = QString::fromUtf8(Read_All(Log));
        for (int I = 0; I < 2; ++I) {
            const QString Bin = Config(QStringLiteral("P%1").arg(I + 1)) + QStringLiteral("/bin/");
            if (Results[I].Exit_Code == 0) {
                EXPECT_EQ(Logged.count(Bin), 1) << Logged.toStdString();
                continue;
            }
            EXPECT_EQ(Results[I].Exit_Code, 1);
            ASSERT_EQ(Results[I].Err_Lines.size(), 1);
            EXPECT_TRUE(Results[I].Err_Lines.first().startsWith(
                QStringLiteral("Error! The updater could not be started: An update is already running: ")))
                << Results[I].Err_Lines.first().toStdString();
            EXPECT_EQ(Logged.count(Bin), 0);
        }
    }
}

TEST_F(Two_Writers, A_Stop_Request_Is_Passed_On_To_The_Running_Updater) {
    vo_test::Write_Par_Gen(Config(QStringLiteral("P1")), {{"Device_Type_Type", "0"}});
    const QString Updater = Exe_Dir + QStringLiteral("/Ser_40913_Update");
    // The updater finishes its write cleanly on the signal and says which one it got.
    QByteArray Traps;
    for (const char* Name : {"INT", "TERM", "HUP"})
        Traps +=
            "trap 'echo got " + QByteArray(Name) + " >> \"" + Log.toUtf8() + "\"; exit 3' " + Name + '\n';
    ASSERT_TRUE(vo_test::Write_Script(Updater, Traps + "echo started\nwhile :; do sleep 0.05; done\n"));
    const struct {
        int Signal;
        const char* Name;
    } Cases[] = {{SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}, {SIGHUP, "SIGHUP"}};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        QFile::remove(Log);
        auto Update = Start({QStringLiteral("update"), QStringLiteral("P1"), QStringLiteral("--port"), Port});
        // The updater shares the command's output: its first line says it runs.
        ASSERT_TRUE(Update->waitForReadyRead(30000));
        ASSERT_EQ(kill(static_cast<pid_t>(Update->processId()), Case.Signal), 0);
        const Run_Result Result = Finish(*Update);
        EXPECT_EQ(Result.Exit_Code, 1);
        ASSERT_EQ(Result.Err_Lines.size(), 3) << Result.Err_Lines.join(u'\n').toStdString();
        EXPECT_TRUE(Result.Err_Lines[0].startsWith(
            QStringLiteral("vo40913-cli: %1 received while the updater \"%2\" (process ")
                .arg(QLatin1String(Case.Name), Updater)))
            << Result.Err_Lines[0].toStdString();
        EXPECT_EQ(Result.Err_Lines[1],
                  QStringLiteral("vo40913-cli: the updater \"%1\" ended with code 3").arg(Updater));
        EXPECT_EQ(Result.Err_Lines[2], QStringLiteral("vo40913-cli: the update was interrupted"));
        EXPECT_EQ(Read_All(Log), QByteArray("got ") + QByteArray(Case.Name).mid(3) + '\n');
    }
}
