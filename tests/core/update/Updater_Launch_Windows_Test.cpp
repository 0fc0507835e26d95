#include "File_Bytes.h"
#include "Launch_And_Wait.h"
#include "Qt_Print.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"
#include "update/Job_File.h"
#include "update/Updater_Launch.h"
#include "util/Path_Join.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <windows.h>

using vo_test::Read_All;

using namespace std::chrono_literals;
using Run_State = vo::Run_Result::State;

namespace {

// An installation in a temporary folder with the fake updater copied beside it under both
// updaters' names; the fake records what it got in a file outside the executable folder. The
// folder's name is not plain ASCII, as a user's name in a Windows path often is not.
class Updater_Launch_Windows : public testing::Test {
protected:
    void SetUp() override {
        vo::Set_Folders(State, Root.filePath(QStringLiteral("exe J\u00fcrgen")));
        vo::Create_Folders(State);
        State.Project_Path = vo::Join_Path(State.Projects_Dir, QStringLiteral("Plant1"));
        ASSERT_TRUE(QDir().mkpath(vo::Join_Path(State.Project_Path, QStringLiteral("bin"))));
        for (const QString& Updater :
             {vo::Serial_Updater_Path(State.Exe_Dir), vo::Ethernet_Updater_Path(State.Exe_Dir)})
            ASSERT_TRUE(QFile::copy(Fake_Updater, Updater));
        qputenv("VO_FAKE_RECORD", Record.toUtf8());
    }

    void TearDown() override {
        for (const char* Name : {"VO_FAKE_RECORD", "VO_FAKE_JOB_COPY", "VO_FAKE_RELEASE", "VO_FAKE_EXIT"})
            qunsetenv(Name);
    }

    QStringList Recorded() const { return QString::fromUtf8(Read_All(Record)).split(u'\n'); }

    // The command line the updater was started with, as the system handed it over.
    QString Command_Line() const {
        const QString Prefix = QStringLiteral("command line: ");
        for (const QString& Line : Recorded()) {
            if (Line.startsWith(Prefix))
                return Line.mid(Prefix.size());
        }
        return QString();
    }

    // Built beside this test program.
    const QString Fake_Updater = QCoreApplication::applicationDirPath() + QStringLiteral("/fake_updater.exe");
    QTemporaryDir Root;
    QString Record = Root.filePath(QStringLiteral("record"));
    vo::Shared_State State;
    std::unique_ptr<vo::Process_Runner> Runner = vo::Make_Process_Runner();
};

} // namespace

TEST_F(Updater_Launch_Windows, Serial_Updater_Gets_The_Parameter_Text_In_Windows_Form) {
    qputenv("VO_FAKE_EXIT", "3");
    const vo::Run_Result Result = vo_test::Serial_Launch(State, *Runner, QStringLiteral("COM3"), {0, true});
    ASSERT_EQ(Result.Outcome, Run_State::Ended) << Result.Error_Text;
    EXPECT_EQ(Result.Exit_Code, 3);
    const QString Exe_Dir = State.Exe_Dir;
    EXPECT_FALSE(Exe_Dir.contains(u'/')) << Exe_Dir.toStdString();
    const QString Parameter = QStringLiteral(R"(\\.\COM3 FW FR PW PR "%1\MASTER\sim40913.sim" )"
                                             R"("%1\PROJECTS\Plant1\bin\")")
                                  .arg(Exe_Dir);
    EXPECT_EQ(Command_Line(), QStringLiteral("\"%1\\Ser_40913_Update.exe\" ").arg(Exe_Dir) + Parameter);
}

TEST_F(Updater_Launch_Windows, Ethernet_Updater_Gets_No_Parameter_And_Finds_Its_Job_File) {
    const QString Job_Copy = Root.filePath(QStringLiteral("job"));
    qputenv("VO_FAKE_JOB_COPY", Job_Copy.toUtf8());
    const vo::Run_Result Result =
        vo_test::Ethernet_Launch(State, *Runner, QStringLiteral("192.168.2.205"), {2, false});
    ASSERT_EQ(Result.Outcome, Run_State::Ended) << Result.Error_Text;
    EXPECT_EQ(Recorded().value(0), QStringLiteral("0"));
    EXPECT_EQ(Command_Line(), QStringLiteral("\"%1\"").arg(vo::Ethernet_Updater_Path(State.Exe_Dir)));
    const QByteArray Job = Read_All(Job_Copy);
    EXPECT_EQ(
        Job, vo::Job_File_Bytes(
                 {QStringLiteral("192.168.2.205"), {2, false}, State.Master_Dir, State.Project_Path, u'\\'}));
    EXPECT_TRUE(Job.contains(R"(\PROJECTS\Plant1\bin\bankK.bin)")) << Job.toStdString();
}

TEST_F(Updater_Launch_Windows, Exit_Codes_Come_Back_Even_The_One_That_Looks_Like_Running) {
    for (const char* Code : {"0", "1", "259"}) {
        qputenv("VO_FAKE_EXIT", Code);
        const vo::Run_Result Result =
            vo_test::Serial_Launch(State, *Runner, QStringLiteral("COM1"), {1, false}, 60s);
        ASSERT_EQ(Result.Outcome, Run_State::Ended) << Code;
        EXPECT_EQ(Result.Exit_Code, std::atoi(Code));
    }
}

TEST_F(Updater_Launch_Windows, An_Updater_Still_Running_At_The_Limit_Is_Left_Running) {
    const QString Release = Root.filePath(QStringLiteral("release"));
    qputenv("VO_FAKE_RELEASE", Release.toUtf8());
    qputenv("VO_FAKE_EXIT", "5");
    const vo::Run_Result Result =
        vo_test::Serial_Launch(State, *Runner, QStringLiteral("COM2"), {2, true}, 100ms);
    ASSERT_EQ(Result.Outcome, Run_State::Still_Running) << Result.Error_Text;
    const HANDLE Process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                       static_cast<DWORD>(Result.Process_Id));
    ASSERT_NE(Process, nullptr);
    EXPECT_EQ(WaitForSingleObject(Process, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    vo_test::Write_All(Release, "go");
    EXPECT_EQ(WaitForSingleObject(Process, 60000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD Code = 0;
    GetExitCodeProcess(Process, &Code);
    EXPECT_EQ(Code, 5u);
    CloseHandle(Process);
}

TEST_F(Updater_Launch_Windows, Missing_Updater_Is_Named_In_The_Error) {
    ASSERT_TRUE(QFile::remove(vo::Serial_Updater_Path(State.Exe_Dir)));
    const vo::Run_Result Result = vo_test::Serial_Launch(State, *Runner, QStringLiteral("COM3"), {0, true});
    EXPECT_EQ(Result.Outcome, Run_State::Not_Started);
    const QString Expected = State.Exe_Dir + QStringLiteral("\\Ser_40913_Update.exe");
    EXPECT_EQ(vo::Serial_Updater_Path(State.Exe_Dir), Expected);
    EXPECT_NE(Result.Error_Text.find("Cannot start \"" + Expected.toStdString() + "\": "), std::string::npos)
        << Result.Error_Text;
}
