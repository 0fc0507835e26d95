#include "Private_Mounts.h"
#include "Qt_Print.h"
#include "Shown_Path.h"
#include "Tree_Listing.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Workspace : public testing::Test {
protected:
    void SetUp() override {
        vo::Set_Folders(State, Root.filePath(QStringLiteral("exe")));
        QDir().mkpath(State.Projects_Dir);
    }

    QStringList Everything() const { return vo_test::Tree_Listing(Root.path()); }

    QTemporaryDir Root;
    vo::Shared_State State;
};

} // namespace

TEST_F(Workspace, Creates_And_Opens_A_Configuration_With_Its_Bin_Folder) {
    EXPECT_EQ(vo::Create_Configuration(State, QStringLiteral("Plant 1")), 0);
    EXPECT_TRUE(QFileInfo(State.Projects_Dir + QStringLiteral("/Plant 1/bin")).isDir());
    EXPECT_EQ(State.Project_Name, QStringLiteral("Plant 1"));
    EXPECT_EQ(State.Project_Path, vo_test::Shown(State.Projects_Dir + QStringLiteral("/Plant 1")));
    EXPECT_EQ(State.ParGen_File, vo_test::Shown(State.Projects_Dir + QStringLiteral("/Plant 1/ParGen.xml")));
    EXPECT_FALSE(QFileInfo::exists(State.ParGen_File));
    EXPECT_EQ(vo::Open_Configuration_Name(State), QStringLiteral("Plant 1"));
}

TEST_F(Workspace, Refused_Names_Create_Nothing_Anywhere) {
    QDir(State.Projects_Dir).mkdir(QStringLiteral("Existing"));
    const QStringList Before = Everything();
    const struct {
        QString Name;
        int Message;
    } Cases[] = {
        {QString(), vo::Msg_Name_Empty},
        {QStringLiteral("Existing"), vo::Msg_Name_Exists},
        {QStringLiteral("   "), vo::Msg_Name_Refused},
        {QStringLiteral("."), vo::Msg_Name_Refused},
        {QStringLiteral(".."), vo::Msg_Name_Refused},
        {QStringLiteral("a/b"), vo::Msg_Name_Refused},
        {QStringLiteral("../Escape"), vo::Msg_Name_Refused},
        {QStringLiteral("a\\b"), vo::Msg_Name_Refused},
        {Root.filePath(QStringLiteral("Absolute")), vo::Msg_Name_Refused},
        {QString(300, u'x'), vo::Msg_Name_Refused},
#ifdef _WIN32
        // Names Windows cannot give a folder as they are.
        {QStringLiteral("a:b"), vo::Msg_Name_Refused},
        {QStringLiteral("C:Plant"), vo::Msg_Name_Refused},
        {QStringLiteral("Plant?"), vo::Msg_Name_Refused},
        {QStringLiteral("Plant."), vo::Msg_Name_Refused},
        {QStringLiteral("Plant "), vo::Msg_Name_Refused},
        {QStringLiteral("con"), vo::Msg_Name_Refused},
        {QStringLiteral("NUL.txt"), vo::Msg_Name_Refused},
        {QStringLiteral("Com3"), vo::Msg_Name_Refused},
#endif
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(vo::Create_Configuration(State, Case.Name), Case.Message) << Case.Name.toStdString();
        EXPECT_FALSE(State.Project_Open());
    }
    EXPECT_EQ(Everything(), Before);
}

TEST_F(Workspace, A_Bin_Folder_That_Cannot_Be_Made_Leaves_Nothing_Created) {
    // A file system with an inode left for the configuration folder but none for its bin folder.
    const std::string Skip = vo_test::Run_In_Private_Mounts([&] {
        ASSERT_EQ(vo_test::Mount_Tmpfs(State.Projects_Dir, "size=64k,nr_inodes=2"), "");
        EXPECT_EQ(vo::Create_Configuration(State, QStringLiteral("Plant1")), vo::Msg_Bin_Not_Created);
        EXPECT_TRUE(vo::Load_Existing_Configuration(State.Projects_Dir).isEmpty());
        EXPECT_FALSE(State.Project_Open());
        EXPECT_TRUE(State.ParGen_File.isEmpty());
    });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
}

TEST_F(Workspace, Missing_Projects_Folder_Refuses_And_Lists_Nothing) {
    QDir(State.Projects_Dir).removeRecursively();
    EXPECT_EQ(vo::Create_Configuration(State, QStringLiteral("Plant1")), vo::Msg_Name_Refused);
    EXPECT_TRUE(vo::Load_Existing_Configuration(State.Projects_Dir).isEmpty());
}

TEST_F(Workspace, Lists_Folders_Only_Sorted_Without_Case) {
    for (const char* Name : {"beta", "Alpha", "gamma", "Alpha2"})
        QDir(State.Projects_Dir).mkdir(QString::fromUtf8(Name));
    QFile(State.Projects_Dir + QStringLiteral("/afile")).open(QIODevice::WriteOnly);
    EXPECT_EQ(vo::Load_Existing_Configuration(State.Projects_Dir),
              (QStringList{QStringLiteral("Alpha"), QStringLiteral("Alpha2"), QStringLiteral("beta"),
                           QStringLiteral("gamma")}));
}

TEST(Search_Open_Conf, Folds_Ascii_Letters_Only_And_Takes_The_First_Match) {
    const QStringList SL{QStringLiteral("plant"), QStringLiteral("PLANT"), QString::fromUtf8("Über"),
                         QStringLiteral("x")};
    EXPECT_EQ(vo::Search_Open_Conf(SL, QStringLiteral("Plant")), 0);
    EXPECT_EQ(vo::Search_Open_Conf(SL, QString::fromUtf8("Über")), 2);
    EXPECT_EQ(vo::Search_Open_Conf(SL, QString::fromUtf8("über")), -1);
    EXPECT_EQ(vo::Search_Open_Conf(SL, QStringLiteral("X")), 3);
    EXPECT_EQ(vo::Search_Open_Conf(SL, QString()), -1);
    EXPECT_EQ(vo::Search_Open_Conf({}, QStringLiteral("x")), -1);
}

TEST(Search_Open_Conf, An_Exact_Name_Wins_Over_One_Differing_In_Case) {
    const QStringList SL{QStringLiteral("Plant1"), QStringLiteral("plant1"), QStringLiteral("PLANT1")};
    for (const QString& Name : SL)
        EXPECT_EQ(vo::Search_Open_Conf(SL, Name), SL.indexOf(Name)) << Name.toStdString();
    EXPECT_EQ(vo::Search_Open_Conf(SL, QStringLiteral("pLANT1")), 0);
}

#ifdef _WIN32
TEST(Configuration_Name, Names_That_Only_Look_Like_Devices_Are_Names) {
    for (const char* Name : {"COM10", "Console", "Plant.v2", "LPT", "Auxiliary 1"})
        EXPECT_TRUE(vo::Is_Safe_Configuration_Name(QString::fromUtf8(Name))) << Name;
}
#endif
