#include "Child_Checks.h"
#include "File_Bytes.h"
#include "Launch_And_Wait.h"
#include "Private_Mounts.h"
#include "Qt_Print.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"
#include "update/Job_File.h"
#include "update/Updater_Launch.h"
#include "util/Path_Join.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using vo_test::Read_All;

using namespace std::chrono_literals;
using Run_State = vo::Run_Result::State;

namespace {

// An installation beside a fake updater that records what it was given in a file outside the
// executable folder.
class Updater_Launch : public testing::Test {
protected:
    void SetUp() override {
        vo::Set_Folders(State, Root.filePath(QStringLiteral("exe")));
        vo::Create_Folders(State);
        // Quotes, a backslash and a dollar in the name: the words must still arrive whole.
        State.Project_Path = vo::Join_Path(State.Projects_Dir, QStringLiteral("Plant \"1\" \\ $HOME"));
        QDir().mkpath(State.Project_Path + QStringLiteral("/bin"));
        State.Update_Option_Index = 2;
        State.Read_Back_Enabled = false;
    }

    void Install(const QString& Updater, const QByteArray& Body) {
        ASSERT_TRUE(vo_test::Write_Script(Updater, Body));
    }

    QByteArray Recording() const { return "printf '%s\\n' \"$#\" \"$@\" > '" + Record.toUtf8() + "'\n"; }

    QTemporaryDir Root;
    QString Record = Root.filePath(QStringLiteral("record"));
    vo::Shared_State State;
    std::unique_ptr<vo::Process_Runner> Runner = vo::Make_Process_Runner();
};

} // namespace

TEST_F(Updater_Launch, Serial_Updater_Gets_Port_Steps_And_Paths_As_Words) {
    Install(State.Exe_Dir + QStringLiteral("/Ser_40913_Update"), Recording() + "exit 3\n");
    const vo::Run_Result Result =
        vo_test::Serial_Launch(State, *Runner, QStringLiteral("/dev/ttyUSB0"), {0, true});
    ASSERT_EQ(Result.Outcome, Run_State::Ended) << Result.Error_Text;
    EXPECT_EQ(Result.Exit_Code, 3);
    EXPECT_EQ(QString::fromUtf8(Read_All(Record)).split(u'\n'),
              (QStringList{QStringLiteral("7"), QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FW"),
                           QStringLiteral("FR"), QStringLiteral("PW"), QStringLiteral("PR"),
                           State.Master_Dir + QStringLiteral("/sim40913.sim"),
                           State.Project_Path + QStringLiteral("/bin/"), QString()}));
    EXPECT_EQ(State.Update_Option_Index, 0);
    EXPECT_TRUE(State.Read_Back_Enabled);

    // No port chosen: the port's place stays, empty, and the other words keep theirs.
    ASSERT_EQ(vo_test::Serial_Launch(State, *Runner, QString(), {2, false}).Outcome, Run_State::Ended);
    EXPECT_EQ(QString::fromUtf8(Read_All(Record)).split(u'\n').mid(0, 6),
              (QStringList{QStringLiteral("7"), QString(), QStringLiteral("NO"), QStringLiteral("NO"),
                           QStringLiteral("PW"), QStringLiteral("NO")}));
}

TEST_F(Updater_Launch, Ethernet_Updater_Finds_A_Fresh_Job_File_Beside_It) {
    const QString Job_File = vo::Job_File_Path(State.Exe_Dir);
    ASSERT_TRUE(vo::Save_File_Atomic(Job_File, QByteArray(4000, 'x')));
    Install(State.Exe_Dir + QStringLiteral("/Ethernet_Update"),
            Recording() + "cat \"$(dirname \"$0\")/Ethernet_Update.xml\" >> '" + Record.toUtf8() + "'\n");
    const vo::Run_Result Result =
        vo_test::Ethernet_Launch(State, *Runner, QStringLiteral("192.168.2.205"), {1, false});
    ASSERT_EQ(Result.Outcome, Run_State::Ended) << Result.Error_Text;
    EXPECT_EQ(Result.Exit_Code, 0);
    const QByteArray Expected_Job = vo::Job_File_Bytes(
        {QStringLiteral("192.168.2.205"), {1, false}, State.Master_Dir, State.Project_Path, u'/'});
    EXPECT_EQ(Read_All(Record), "0\n" + Expected_Job);
    EXPECT_EQ(State.Last_IP_Address, QStringLiteral("192.168.2.205"));
    EXPECT_EQ(State.Update_Option_Index, 1);
    EXPECT_FALSE(State.Read_Back_Enabled);
}

TEST_F(Updater_Launch, A_Job_File_That_Cannot_Be_Written_Starts_No_Updater) {
    QDir(State.Exe_Dir).mkdir(QStringLiteral("Ethernet_Update.xml"));
    Install(State.Exe_Dir + QStringLiteral("/Ethernet_Update"), Recording());
    const vo::Run_Result Result =
        vo_test::Ethernet_Launch(State, *Runner, QStringLiteral("10.0.0.7"), {0, true});
    EXPECT_EQ(Result.Outcome, Run_State::Not_Started);
    EXPECT_NE(Result.Error_Text.find(vo::Job_File_Path(State.Exe_Dir).toStdString()), std::string::npos)
        << Result.Error_Text;
    EXPECT_FALSE(QFileInfo::exists(Record));
}

TEST_F(Updater_Launch, A_Read_Only_Folder_Keeps_The_Old_Job_File_And_Starts_Nothing) {
    const QString Job_File = vo::Job_File_Path(State.Exe_Dir);
    ASSERT_TRUE(vo::Save_File_Atomic(Job_File, "old"));
    Install(State.Exe_Dir + QStringLiteral("/Ethernet_Update"), Recording());
    vo::Run_Result Result;
    const std::string Skip = vo_test::With_Read_Only(State.Exe_Dir, [&] {
        Result = vo_test::Ethernet_Launch(State, *Runner, QStringLiteral("10.0.0.7"), {0, true});
    });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
    EXPECT_EQ(Result.Outcome, Run_State::Not_Started);
    EXPECT_NE(Result.Error_Text.find(Job_File.toStdString()), std::string::npos) << Result.Error_Text;
    EXPECT_EQ(Read_All(Job_File), "old");
    EXPECT_FALSE(QFileInfo::exists(Record));
}

TEST_F(Updater_Launch, Missing_Updater_Is_Named_In_The_Error) {
    const vo::Run_Result Result =
        vo_test::Serial_Launch(State, *Runner, QStringLiteral("/dev/ttyS0"), {0, true});
    EXPECT_EQ(Result.Outcome, Run_State::Not_Started);
    EXPECT_NE(Result.Error_Text.find(vo::Serial_Updater_Path(State.Exe_Dir).toStdString()), std::string::npos)
        << Result.Error_Text;
    EXPECT_EQ(vo::Serial_Updater_Path(State.Exe_Dir), State.Exe_Dir + QStringLiteral("/Ser_40913_Update"));
}
