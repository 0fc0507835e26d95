#include "Child_Checks.h"
#include "Cli_Run.h"
#include "Fake_Port_Tree.h"
#include "Net_Namespace.h"
#include "Private_Mounts.h"
#include "Qt_Print.h"
#include "image/Par_Gen_Fixture.h"
#include "update/Job_File.h"

#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <signal.h>

namespace {

using vo_test::Read_All;
using vo_test::Run_Result;
using vo_test::Write_All;

const QString Serial_Mode = QStringLiteral("0");
const QString Ethernet_Mode = QStringLiteral("1");

// A copied vo40913-cli with the configuration "Plant 1" under its PROJECTS, old images in its bin
// folder, the firmware files, a serial port (a pseudo-terminal), and fake updaters beside it that
// record what they were given outside that folder.
class Cli_Update : public vo_test::Copied_Cli {
protected:
    void SetUp() override {
        Copied_Cli::SetUp();
        Install_Firmware();
        Ports.Add_Built_In(QStringLiteral("ttyUSB0"));
        ASSERT_TRUE(QDir().mkpath(Bin));
        Write_All(Bin + QStringLiteral("/bank.bin"), "old");
        Write_All(Bin + QStringLiteral("/bankK.bin"), "old");
    }

    // The fixture's parameters with Device_Type_Type holding Type.
    void Set_Device_Type(const QString& Type) const {
        vo_test::Write_Par_Gen(Config, {{"Device_Type_Type", Type}});
    }

    // An updater beside the program that records its arguments (their count first), its working
    // folder and the sizes of the images, keeps a copy of the job file beside it, then runs Tail.
    void Install_Updater(const QString& Name, const QByteArray& Tail = "exit 0\n") const {
        const QByteArray Body = "{ printf '%s\\n' \"$#\" \"$@\"; pwd; wc -c < '" + Bin.toUtf8() +
                                "/bank.bin'; wc -c < '" + Bin.toUtf8() + "/bankK.bin'; } > '" +
                                Record.toUtf8() + "'\ncp \"$(dirname \"$0\")/Ethernet_Update.xml\" '" +
                                Job_Copy.toUtf8() + "' 2>/dev/null\n" + Tail;
        ASSERT_TRUE(vo_test::Write_Script(Exe_Dir + u'/' + Name, Body));
    }

    Run_Result Update(const QStringList& Options) const {
        return Run(QStringList{QStringLiteral("update"), QStringLiteral("Plant 1")} + Options);
    }

    QStringList Recorded() const {
        return QString::fromUtf8(Read_All(Record)).split(u'\n', Qt::SkipEmptyParts);
    }

    // What the Ethernet launch writes for the address and choice.
    QByteArray Expected_Job(const QString& Address, const vo::Update_Choice& Choice) const {
        return vo::Job_File_Bytes({Address, Choice, Exe_Dir + QStringLiteral("/MASTER"), Config, u'/'});
    }

    // Nothing was started and no job file was written.
    void Expect_No_Launch() const {
        EXPECT_FALSE(QFile::exists(Record));
        EXPECT_FALSE(QFile::exists(Job_File));
    }

    vo_test::Fake_Port_Tree Ports;
    QString Port = Ports.Dev(QStringLiteral("ttyUSB0"));
    // The program's folder as the program itself finds it.
    QString Exe_Dir = QFileInfo(Root.path()).canonicalFilePath();
    QString Config = Exe_Dir + QStringLiteral("/PROJECTS/Plant 1");
    QString Bin = Config + QStringLiteral("/bin");
    QString Serial_Updater = Exe_Dir + QStringLiteral("/Ser_40913_Update");
    QString Ethernet_Updater = Exe_Dir + QStringLiteral("/Ethernet_Update");
    QString Job_File = Exe_Dir + QStringLiteral("/Ethernet_Update.xml");
    QTemporaryDir Records;
    QString Record = Records.filePath(QStringLiteral("record"));
    QString Job_Copy = Records.filePath(QStringLiteral("job"));
};

QString Not_Started(const QString& Updater) {
    return QStringLiteral("Error! The updater could not be started: Cannot start \"%1\": ").arg(Updater);
}

} // namespace

TEST_F(Cli_Update, Serial_Updater_Gets_The_Parameter_Words_After_The_Images_Are_Written) {
    Set_Device_Type(Serial_Mode);
    Install_Updater(QStringLiteral("Ser_40913_Update"));
    const struct {
        QStringList Options;
        QStringList Codes;
    } Cases[] = {
        {{}, {"FW", "FR", "PW", "PR"}},
        {{"--option", "1", "--no-read-back"}, {"FW", "NO", "NO", "NO"}},
        {{"--no-read-back", "--option", "2"}, {"NO", "NO", "PW", "NO"}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Options.join(u' ').toStdString());
        QFile::remove(Record);
        const Run_Result Result = Update(QStringList{QStringLiteral("--port"), Port} + Case.Options);
        EXPECT_EQ(Result.Exit_Code, 0);
        EXPECT_EQ(Result.Out, QStringLiteral("The updater \"%1\" ended with code 0\n").arg(Serial_Updater));
        EXPECT_EQ(Result.Err_Lines, QStringList());
        EXPECT_EQ(Recorded(),
                  (QStringList{QStringLiteral("7"), Port} + Case.Codes +
                   QStringList{Exe_Dir + QStringLiteral("/MASTER/sim40913.sim"), Bin + u'/',
                               QDir::currentPath(), QStringLiteral("19"), QStringLiteral("2048")}));
    }
    EXPECT_FALSE(QFile::exists(Job_File));
    // The remembered choices belong to the window's settings; the command line writes none.
    EXPECT_FALSE(QFile::exists(Exe_Dir + QStringLiteral("/Vorlent.xml")));
}

TEST_F(Cli_Update, Ethernet_Updater_Starts_Without_Arguments_Beside_A_Fresh_Job_File) {
    Set_Device_Type(Ethernet_Mode);
    Install_Updater(QStringLiteral("Ethernet_Update"));
    const struct {
        QStringList Options;
        vo::Update_Choice Choice;
    } Cases[] = {
        {{}, {0, true}},
        {{"--option", "2", "--no-read-back"}, {2, false}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Options.join(u' ').toStdString());
        const Run_Result Result =
            Update(QStringList{QStringLiteral("--ip"), QStringLiteral("127.0.0.1")} + Case.Options);
        EXPECT_EQ(Result.Exit_Code, 0);
        EXPECT_EQ(Result.Out, QStringLiteral("The updater \"%1\" ended with code 0\n").arg(Ethernet_Updater));
        EXPECT_EQ(Result.Err_Lines, QStringList());
        EXPECT_EQ(Recorded(), (QStringList{QStringLiteral("0"), QDir::currentPath(), QStringLiteral("19"),
                                           QStringLiteral("2048")}));
        const QByteArray Job = Expected_Job(QStringLiteral("127.0.0.1"), Case.Choice);
        EXPECT_EQ(Read_All(Job_Copy), Job);
        EXPECT_EQ(Read_All(Job_File), Job);
    }
    EXPECT_FALSE(QFile::exists(Exe_Dir + QStringLiteral("/Vorlent.xml")));
}

TEST_F(Cli_Update, Every_End_Of_The_Updater_But_Code_0_Fails_With_Its_Report) {
    const struct {
        const char* Name;
        QString Mode;
        QByteArray Tail; // empty: no updater at all
        bool Executable;
        QString Error_Start;
    } Cases[] = {
        {"exit code", Serial_Mode, "exit 5\n", true,
         QStringLiteral("vo40913-cli: the updater \"%1\" ended with code 5").arg(Serial_Updater)},
        {"signal", Serial_Mode, "kill -KILL $$\n", true,
         QStringLiteral("vo40913-cli: the updater \"%1\" was killed by signal 9").arg(Serial_Updater)},
        {"missing serial updater", Serial_Mode, QByteArray(), true, Not_Started(Serial_Updater)},
        {"missing Ethernet updater", Ethernet_Mode, QByteArray(), true, Not_Started(Ethernet_Updater)},
        {"not executable", Serial_Mode, "exit 0\n", false, Not_Started(Serial_Updater)},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        QFile::remove(Record);
        QFile::remove(Serial_Updater);
        QFile::remove(Ethernet_Updater);
        Set_Device_Type(Case.Mode);
        const bool Serial = Case.Mode == Serial_Mode;
        const QString Updater = Serial ? Serial_Updater : Ethernet_Updater;
        if (!Case.Tail.isEmpty())
            Install_Updater(QFileInfo(Updater).fileName(), Case.Tail);
        if (!Case.Executable) {
            ASSERT_TRUE(QFile::setPermissions(Updater, QFile::ReadOwner | QFile::WriteOwner));
        }

        const Run_Result Result =
            Update(Serial ? QStringList{QStringLiteral("--port"), Port}
                          : QStringList{QStringLiteral("--ip"), QStringLiteral("127.0.0.1")});
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_TRUE(Result.Out.isEmpty()) << Result.Out.toStdString();
        ASSERT_EQ(Result.Err_Lines.size(), 1) << Result.Err_Lines.join(u'\n').toStdString();
        EXPECT_TRUE(Result.Err_Lines.first().startsWith(Case.Error_Start))
            << Result.Err_Lines.first().toStdString();
        EXPECT_EQ(QFile::exists(Record), !Case.Tail.isEmpty() && Case.Executable);
    }
}

TEST_F(Cli_Update, An_Updater_Still_Running_At_The_Limit_Is_Left_Running) {
    Set_Device_Type(Serial_Mode);
    const QString Pid_File = Records.filePath(QStringLiteral("pid"));
    ASSERT_TRUE(
        vo_test::Write_Script(Serial_Updater, "echo $$ > '" + Pid_File.toUtf8() + "'\nexec sleep 30\n"));
    const Run_Result Result =
        Update({QStringLiteral("--port"), Port, QStringLiteral("--wait-limit"), QStringLiteral("1")});
    const long Pid = QString::fromUtf8(Read_All(Pid_File)).trimmed().toLong();
    ASSERT_GT(Pid, 0);
    const char State = vo_test::Process_State(Pid);
    // The test started it, so the test ends it.
    kill(static_cast<pid_t>(Pid), SIGKILL);
    EXPECT_EQ(Result.Exit_Code, 1);
    EXPECT_TRUE(Result.Out.isEmpty());
    EXPECT_EQ(
        Result.Err_Lines,
        QStringList{QStringLiteral("vo40913-cli: the updater \"%1\" is still running after 1 s and is left "
                                   "running (process %2)")
                        .arg(Serial_Updater)
                        .arg(Pid)});
    EXPECT_NE(State, 0) << "the updater had ended";
    EXPECT_NE(State, 'Z');
}

TEST_F(Cli_Update, Unusable_Addresses_Ask_To_Check_The_Address_And_Start_Nothing) {
    Set_Device_Type(Ethernet_Mode);
    Install_Updater(QStringLiteral("Ethernet_Update"));
    for (const char* Address : {"192.168.1.x", "300.1.1.1", "10.0.0", "10.0.0.7.1", "", " 10.0.0.7",
                                "10 .0.0.7", "010.0.0.7", "my-device.example"}) {
        SCOPED_TRACE(Address);
        const Run_Result Result = Update({QStringLiteral("--ip"), QString::fromUtf8(Address)});
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_TRUE(Result.Out.isEmpty());
        EXPECT_EQ(
            Result.Err_Lines,
            (QStringList{QStringLiteral("Error!!! Check the Ip Address"),
                         QStringLiteral("vo40913-cli: \"%1\" is not a numeric IPv4 address").arg(Address)}));
        Expect_No_Launch();
    }
}

TEST_F(Cli_Update, A_Silent_Address_Is_Not_Found) {
    Set_Device_Type(Ethernet_Mode);
    Install_Updater(QStringLiteral("Ethernet_Update"));
    Run_Result Result;
    // The whole echo budget runs out here: about 5 s.
    const std::string Skip = vo_test::Run_In_Private_Network({.Ignore_Echo = true}, [&] {
        Result = Update({QStringLiteral("--ip"), QStringLiteral("127.0.0.1")});
    });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
    EXPECT_EQ(Result.Exit_Code, 1);
    EXPECT_TRUE(Result.Out.isEmpty());
    EXPECT_EQ(Result.Err_Lines, QStringList{QStringLiteral("Device Not Found!")});
    Expect_No_Launch();
}

TEST_F(Cli_Update, Messages_Come_In_The_Chosen_Language) {
    Install_Language(QStringLiteral("Italiano"));
    Install_Language(QStringLiteral("Deutsch"));
    Set_Device_Type(Ethernet_Mode);
    const Run_Result Refused =
        Run({QStringLiteral("--language"), QStringLiteral("Italiano"), QStringLiteral("update"),
             QStringLiteral("Plant 1"), QStringLiteral("--ip"), QStringLiteral("300.1.1.1")});
    EXPECT_EQ(Refused.Exit_Code, 1);
    ASSERT_FALSE(Refused.Err_Lines.isEmpty());
    EXPECT_EQ(Refused.Err_Lines.first(), QStringLiteral("Errore!!! Controllare l'indirizzo IP"));

    const Run_Result Missing =
        Run({QStringLiteral("--language"), QStringLiteral("Deutsch"), QStringLiteral("update"),
             QStringLiteral("Plant 1"), QStringLiteral("--ip"), QStringLiteral("127.0.0.1")});
    EXPECT_EQ(Missing.Exit_Code, 1);
    ASSERT_EQ(Missing.Err_Lines.size(), 1);
    EXPECT_TRUE(Missing.Err_Lines.first().startsWith(
        QStringLiteral("Fehler! Das Update-Programm konnte nicht gestartet werden: Cannot start \"%1\": ")
            .arg(Ethernet_Updater)))
        << Missing.Err_Lines.first().toStdString();
}

TEST_F(Cli_Update, A_Failed_Build_Stops_Before_Any_Updater) {
    Install_Updater(QStringLiteral("Ser_40913_Update"));
    Install_Updater(QStringLiteral("Ethernet_Update"));
    Write_All(Config + QStringLiteral("/ParGen.xml"),
              "<Par_Gen><MODE_DEV>1</MODE_DEV><SER_RTU>1</SER_RTU></Par_Gen>");
    for (const QStringList& Target : {QStringList{QStringLiteral("--port"), QStringLiteral("/dev/ttyS0")},
                                      QStringList{QStringLiteral("--ip"), QStringLiteral("127.0.0.1")}}) {
        SCOPED_TRACE(Target.first().toStdString());
        const Run_Result Result = Update(Target);
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_TRUE(Result.Out.isEmpty());
        EXPECT_EQ(
            Result.Err_Lines,
            QStringList{QStringLiteral("vo40913-cli: \"%1/ParGen.xml\": the element BAUD_RTU is missing")
                            .arg(Config)});
        Expect_No_Launch();
        EXPECT_EQ(Read_All(Bin + QStringLiteral("/bankK.bin")), QByteArray("old"));
    }
    const Run_Result Unknown = Run({QStringLiteral("update"), QStringLiteral("Plant 2"),
                                    QStringLiteral("--port"), QStringLiteral("/dev/ttyS0")});
    EXPECT_EQ(Unknown.Exit_Code, 1);
    EXPECT_EQ(
        Unknown.Err_Lines,
        QStringList{
            QStringLiteral("vo40913-cli: no configuration folder \"%1/PROJECTS/Plant 2\"").arg(Exe_Dir)});
    Expect_No_Launch();
}

TEST_F(Cli_Update, A_Job_File_That_Cannot_Be_Written_Starts_No_Updater) {
    Set_Device_Type(Ethernet_Mode);
    Install_Updater(QStringLiteral("Ethernet_Update"));
    Write_All(Job_File, "old job");
    Run_Result Result;
    const std::string Skip = vo_test::With_Read_Only(Job_File, [&] {
        Result = Update({QStringLiteral("--ip"), QStringLiteral("127.0.0.1")});
    });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
    EXPECT_EQ(Result.Exit_Code, 1);
    ASSERT_EQ(Result.Err_Lines.size(), 1);
    EXPECT_TRUE(Result.Err_Lines.first().startsWith(
        QStringLiteral("Error! The updater could not be started: Cannot write \"%1\"").arg(Job_File)))
        << Result.Err_Lines.first().toStdString();
    EXPECT_EQ(Read_All(Job_File), QByteArray("old job"));
    EXPECT_FALSE(QFile::exists(Record));
}

TEST_F(Cli_Update, The_Device_Type_Decides_The_Mode_And_The_Other_Option_Is_Refused) {
    Install_Updater(QStringLiteral("Ser_40913_Update"));
    Install_Updater(QStringLiteral("Ethernet_Update"));
    const QString Serial_Refusal =
        QStringLiteral(
            "vo40913-cli: \"%1\" is updated in serial mode (its Device_Type_Type is not 1): use --port "
            "DEVICE, not --ip")
            .arg(Config);
    const struct {
        const char* Name;
        QString Device_Type; // empty: no parameter file
        QStringList Target;
        QString Error;
    } Cases[] = {
        {"serial device", Serial_Mode, {"--ip", "127.0.0.1"}, Serial_Refusal},
        {"Ethernet device",
         Ethernet_Mode,
         {"--port", "/dev/ttyS0"},
         QStringLiteral(
             "vo40913-cli: \"%1\" is updated in Ethernet mode (its Device_Type_Type is 1): use --ip "
             "A.B.C.D, not --port")
             .arg(Config)},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        QFile::remove(Config + QStringLiteral("/ParGen.xml"));
        if (!Case.Device_Type.isEmpty())
            Set_Device_Type(Case.Device_Type);
        const Run_Result Result = Update(Case.Target);
        EXPECT_EQ(Result.Exit_Code, 2);
        EXPECT_TRUE(Result.Out.isEmpty());
        EXPECT_EQ(Result.Err_Lines, QStringList{Case.Error});
        Expect_No_Launch();
    }
}

TEST_F(Cli_Update, Usage_Errors_Name_The_Mistake_And_Touch_Nothing) {
    Set_Device_Type(Serial_Mode);
    Install_Updater(QStringLiteral("Ser_40913_Update"));
    const QString Usage = QStringLiteral("Usage: vo40913-cli update CONFIG (--port DEVICE | --ip A.B.C.D) "
                                         "[--option 0|1|2] [--no-read-back] [--wait-limit SECONDS] "
                                         "[--force-port]");
    const QString Either = QStringLiteral("give either --port DEVICE or --ip A.B.C.D");
    const struct {
        QStringList Args;
        QString Reason;
    } Cases[] = {
        {{}, QStringLiteral("no CONFIG given")},
        {{"--port", "/dev/ttyS0"}, QStringLiteral("no CONFIG given")},
        {{"Plant 1"}, Either},
        {{"Plant 1", "--port", "/dev/ttyS0", "--ip", "127.0.0.1"}, Either},
        {{"Plant 1", "Plant 2", "--port", "/dev/ttyS0"}, QStringLiteral("one CONFIG only, not 2")},
        {{"Plant 1", "--port"}, QStringLiteral("--port needs a value")},
        {{"--port", "/dev/ttyS0", "Plant 1", "--port", "/dev/ttyS1"},
         QStringLiteral("--port is given twice")},
        {{"Plant 1", "--port", ""}, QStringLiteral("--port needs a device")},
        {{"Plant 1", "--port", "/dev/ttyS0", "--option", "3"},
         QStringLiteral("--option takes 0, 1 or 2, not \"3\"")},
        {{"Plant 1", "--port", "/dev/ttyS0", "--option", " 1"},
         QStringLiteral("--option takes 0, 1 or 2, not \" 1\"")},
        {{"Plant 1", "--port", "/dev/ttyS0", "--read-back"}, QStringLiteral("unknown option --read-back")},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Args.join(u' ').toStdString());
        const Run_Result Result = Run(QStringList{QStringLiteral("update")} + Case.Args);
        EXPECT_EQ(Result.Exit_Code, 2);
        EXPECT_TRUE(Result.Out.isEmpty());
        EXPECT_EQ(Result.Err_Lines, (QStringList{QStringLiteral("vo40913-cli: ") + Case.Reason, Usage}));
    }
    for (const char* Limit : {"-1", "1.5", "86401", "", "+5", "0x10"}) {
        SCOPED_TRACE(Limit);
        const Run_Result Result = Update({QStringLiteral("--port"), QStringLiteral("/dev/ttyS0"),
                                          QStringLiteral("--wait-limit"), QString::fromUtf8(Limit)});
        EXPECT_EQ(Result.Exit_Code, 2);
        EXPECT_EQ(
            Result.Err_Lines,
            (QStringList{QStringLiteral("vo40913-cli: --wait-limit takes a whole number of seconds from 0 to "
                                        "86400, not \"%1\"")
                             .arg(Limit),
                         Usage}));
    }
    // Nothing was built or started.
    EXPECT_EQ(Read_All(Bin + QStringLiteral("/bankK.bin")), QByteArray("old"));
    Expect_No_Launch();
}

// Before any launch: what the updater would put into the device, or could not do, is refused, and
// nothing is started.
TEST_F(Cli_Update, Parameters_Never_Saved_Are_Refused_By_Update_And_Check) {
    Install_Updater(QStringLiteral("Ser_40913_Update"));
    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("Fresh")}).Exit_Code, 0);
    const QString Never_Saved = QStringLiteral(
        "Error! The parameters of this configuration were never saved: open Set Communication, "
        "check them and confirm with OK before the update");
    const Run_Result Updated =
        Run({QStringLiteral("update"), QStringLiteral("Fresh"), QStringLiteral("--port"), Port});
    EXPECT_EQ(Updated.Exit_Code, 1);
    EXPECT_EQ(Updated.Err_Lines, QStringList{Never_Saved});
    Expect_No_Launch();
    const Run_Result Checked = Run({QStringLiteral("check"), QStringLiteral("Fresh")});
    EXPECT_EQ(Checked.Exit_Code, 1);
    EXPECT_TRUE(Checked.Out.isEmpty());
    EXPECT_EQ(Checked.Err_Lines, QStringList{Never_Saved});
    // The builder's own output stays available, with a warning.
    const Run_Result Built = Run({QStringLiteral("build"), QStringLiteral("Fresh")});
    EXPECT_EQ(Built.Exit_Code, 0);
    EXPECT_EQ(Built.Err_Lines, QStringList{QStringLiteral("vo40913-cli: warning: ") + Never_Saved});
    EXPECT_EQ(QFileInfo(Projects_Dir() + QStringLiteral("/Fresh/bin/bank.bin")).size(), 4);
}

// Hand-edited parameters that the builder compiles as they stand: the images are decoded before the
// launch and the field is named.
TEST_F(Cli_Update, Images_The_Device_Cannot_Use_Are_Refused_Naming_The_Field) {
    Install_Updater(QStringLiteral("Ser_40913_Update"));
    const struct {
        const char* Element;
        const char* Value;
        QString Reason;
    } Cases[] = {
        {"BAUD_RTU", "99",
         QStringLiteral("BAUD_RTU in bankK.bin (serial slot 0) is 99, not a baud rate of the list")},
        {"PAR_RTU", "9",
         QStringLiteral("PAR_RTU in bankK.bin (serial slot 0) is 9, not a parity of the list")},
        {"STOP_RTU", "300",
         QStringLiteral(
             "STOP_RTU in bankK.bin (serial slot 0) is 44, not a number of stop bits of the list")},
        {"SER_ASCII", "7", QStringLiteral("SER_ASCII in bank.bin is 7, not 0 or 1")},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Element);
        vo_test::Write_Par_Gen(Config, {{"Device_Type_Type", Serial_Mode}, {Case.Element, Case.Value}});
        const Run_Result Result = Update({QStringLiteral("--port"), Port});
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_EQ(
            Result.Err_Lines,
            QStringList{QStringLiteral("Error! The images are not fit for the device, nothing was sent: ") +
                        Case.Reason});
        Expect_No_Launch();
        EXPECT_EQ(Run({QStringLiteral("history"), QStringLiteral("--json"), QStringLiteral("Plant 1")})
                      .Out.count(QStringLiteral("\"id\"")),
                  0);
    }
}

TEST_F(Cli_Update, A_Firmware_Option_Needs_Its_Firmware_File) {
    Install_Updater(QStringLiteral("Ser_40913_Update"));
    Install_Updater(QStringLiteral("Ethernet_Update"));
    const struct {
        QString Mode;
        const char* Option;
        const char* Firmware; // empty: none needed
    } Cases[] = {
        {Serial_Mode, "0", "sim40913.sim"},
        {Serial_Mode, "1", "sim40913.sim"},
        {Serial_Mode, "2", ""},
        {Ethernet_Mode, "0", "Sim40913K.sim"},
        {Ethernet_Mode, "1", "Sim40913K.sim"},
        {Ethernet_Mode, "2", ""},
    };
    QDir(Exe_Dir + QStringLiteral("/MASTER")).removeRecursively();
    // A folder in the file's place is no firmware either.
    ASSERT_TRUE(QDir().mkpath(Exe_Dir + QStringLiteral("/MASTER/Sim40913K.sim")));
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Mode.toStdString() + " option " + Case.Option);
        QFile::remove(Record);
        Set_Device_Type(Case.Mode);
        const bool Serial = Case.Mode == Serial_Mode;
        const Run_Result Result = Update({Serial ? QStringLiteral("--port") : QStringLiteral("--ip"),
                                          Serial ? Port : QStringLiteral("127.0.0.1"),
                                          QStringLiteral("--option"), QString::fromLatin1(Case.Option)});
        if (*Case.Firmware == '\0') {
            EXPECT_EQ(Result.Exit_Code, 0) << Result.Err_Lines.join(u'\n').toStdString();
            EXPECT_TRUE(QFile::exists(Record));
            continue;
        }
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_EQ(
            Result.Err_Lines,
            QStringList{QStringLiteral("Error! The firmware file \"%1/MASTER/%2\" is missing or cannot be "
                                       "read: the updater was not started")
                            .arg(Exe_Dir, QLatin1String(Case.Firmware))});
        EXPECT_FALSE(QFile::exists(Record));
    }
}

TEST_F(Cli_Update, A_Missing_Or_Busy_Port_Starts_Nothing_Unless_Forced) {
    Set_Device_Type(Serial_Mode);
    Install_Updater(QStringLiteral("Ser_40913_Update"));
    const QString Missing = Ports.Dev(QStringLiteral("ttyUSB7"));
    const Run_Result Absent = Update({QStringLiteral("--port"), Missing});
    EXPECT_EQ(Absent.Exit_Code, 1);
    EXPECT_EQ(Absent.Err_Lines,
              QStringList{QStringLiteral("Error! There is no serial port \"%1\": the updater was not started")
                              .arg(Missing)});
    Expect_No_Launch();

    ASSERT_TRUE(Ports.Line(QStringLiteral("ttyUSB0")).Hold(true));
    const Run_Result Busy = Update({QStringLiteral("--port"), Port});
    EXPECT_EQ(Busy.Exit_Code, 1);
    ASSERT_EQ(Busy.Err_Lines.size(), 2) << Busy.Err_Lines.join(u'\n').toStdString();
    EXPECT_TRUE(
        Busy.Err_Lines.first().startsWith(QStringLiteral("Error! The serial port \"%1\" is busy").arg(Port)))
        << Busy.Err_Lines.first().toStdString();
    EXPECT_TRUE(Busy.Err_Lines.first().endsWith(
        QStringLiteral(": the updater could not open it and was not started")));
    EXPECT_EQ(Busy.Err_Lines.at(1),
              QStringLiteral("vo40913-cli: --force-port starts the updater on it all the same"));
    Expect_No_Launch();

    const Run_Result Forced = Update({QStringLiteral("--port"), Port, QStringLiteral("--force-port")});
    EXPECT_EQ(Forced.Exit_Code, 0) << Forced.Err_Lines.join(u'\n').toStdString();
    EXPECT_TRUE(QFile::exists(Record));
}

// What the updater writes reaches the user as it comes, and its end stays with the record.
TEST_F(Cli_Update, The_Updaters_Output_Is_Shown_And_Kept_With_The_Record) {
    Set_Device_Type(Serial_Mode);
    Install_Updater(QStringLiteral("Ser_40913_Update"),
                    "echo 'writing block 7'\necho 'no answer from the device' >&2\nexit 3\n");
    const Run_Result Result = Update({QStringLiteral("--port"), Port});
    EXPECT_EQ(Result.Exit_Code, 1);
    EXPECT_EQ(Result.Out, QStringLiteral("writing block 7\n"));
    EXPECT_EQ(Result.Err_Lines,
              (QStringList{
                  QStringLiteral("no answer from the device"),
                  QStringLiteral("vo40913-cli: the updater \"%1\" ended with code 3").arg(Serial_Updater)}));
    const Run_Result History =
        Run({QStringLiteral("history"), QStringLiteral("--json"), QStringLiteral("Plant 1")});
    for (const char* Line : {"writing block 7\\n", "no answer from the device\\n"})
        EXPECT_TRUE(History.Out.contains(QLatin1String(Line))) << History.Out.toStdString();
}

// The updater's output never breaks it: not when the command's own output is closed early, not
// after the command has left it running at its limit.
TEST_F(Cli_Update, An_Updater_Writing_On_Outlives_A_Closed_Output_And_The_Command) {
    Set_Device_Type(Serial_Mode);
    const QString Done = Records.filePath(QStringLiteral("done"));
    Install_Updater(
        QStringLiteral("Ser_40913_Update"),
        "trap '' PIPE\ni=0\nwhile [ $i -lt 30 ]; do echo \"block $i\" || exit 7; sleep 0.05; i=$((i + 1)); "
        "done\n: > '" +
            Done.toUtf8() + "'\n");
    for (const char* Limit : {"60", "1"}) {
        SCOPED_TRACE(Limit);
        QFile::remove(Done);
        QProcess Shell;
        Shell.start(QStringLiteral("sh"),
                    {QStringLiteral("-c"),
                     QStringLiteral("'%1' update 'Plant 1' --port '%2' --wait-limit %3 | head -c 1; "
                                    "echo \" $(( $? ))\"")
                         .arg(Program, Port, QLatin1String(Limit))});
        ASSERT_TRUE(Shell.waitForFinished(30000));
        for (int Look = 0; Look < 500 && !QFile::exists(Done); ++Look)
            QThread::msleep(10);
        EXPECT_TRUE(QFile::exists(Done)) << "the updater did not write to its end";
    }
    // The record of the run waited for holds the end of what the updater wrote.
    const Run_Result History =
        Run({QStringLiteral("history"), QStringLiteral("--json"), QStringLiteral("Plant 1")});
    EXPECT_TRUE(History.Out.contains(QStringLiteral("block 29"))) << History.Out.toStdString();
}

// Values the dialog never lets through are refused by the update as the dialog would refuse them,
// before their 16 bits could turn 65537 ms into 1 ms.
TEST_F(Cli_Update, A_Hand_Edited_TimeOut_Out_Of_Range_Is_Refused_As_The_Dialog_Refuses_It) {
    Install_Updater(QStringLiteral("Ser_40913_Update"));
    for (const char* TimeOut : {"65537", "0"}) {
        SCOPED_TRACE(TimeOut);
        vo_test::Write_Par_Gen(Config, {{"Device_Type_Type", Serial_Mode}, {"TO_RTU", TimeOut}});
        const Run_Result Result = Update({QStringLiteral("--port"), Port});
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_EQ(Result.Err_Lines,
                  QStringList{QStringLiteral(
                      "vo40913-cli: Modbus RTU!! TimeOut must be between 1 and 60000 milliseconds")});
        Expect_No_Launch();
        EXPECT_EQ(Read_All(Bin + QStringLiteral("/bankK.bin")), QByteArray("old"));
    }
}
