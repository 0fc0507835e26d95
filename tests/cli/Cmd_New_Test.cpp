#include "Cli_Run.h"
#include "Qt_Print.h"
#include "Tree_Listing.h"
#include "lang/String_Table.h"

#include <QFileInfo>

namespace {

using vo_test::Run_Result;
using vo_test::Shown;
using vo_test::Write_All;

class Cli_New : public vo_test::Copied_Cli {
protected:
    QStringList Everything() const { return vo_test::Tree_Listing(Root.path()); }
};

} // namespace

TEST_F(Cli_New, Creates_PROJECTS_And_A_Configuration_The_Other_Commands_Open_By_Name) {
    const Run_Result Created = Run({QStringLiteral("new"), QStringLiteral("Plant 1")});
    EXPECT_EQ(Created.Exit_Code, 0);
    const QString Folder = Projects_Dir() + QStringLiteral("/Plant 1");
    EXPECT_EQ(Created.Out, Shown(Folder) + u'\n');
    EXPECT_EQ(Created.Err_Lines, QStringList());
    EXPECT_TRUE(QFileInfo(Folder + QStringLiteral("/bin")).isDir());
    // Like the dialog, new writes no parameter file.
    EXPECT_FALSE(QFile::exists(Folder + QStringLiteral("/ParGen.xml")));

    EXPECT_EQ(Run({QStringLiteral("set"), QStringLiteral("Plant 1"), QStringLiteral("MODE_DEV=1")}).Exit_Code,
              0);
    EXPECT_TRUE(QFile::exists(Folder + QStringLiteral("/ParGen.xml")));
    const Run_Result Shown = Run({QStringLiteral("show"), QStringLiteral("Plant 1")});
    EXPECT_TRUE(Shown.Out.startsWith(QStringLiteral("Device_Type_Type=1\nMODE_DEV=1\n")))
        << Shown.Out.toStdString();
    EXPECT_EQ(Run({QStringLiteral("check"), QStringLiteral("Plant 1")}).Out, QStringLiteral("OK\n"));
}

TEST_F(Cli_New, Refused_Names_Get_The_Dialogs_Message_And_Create_Nothing) {
    ASSERT_TRUE(QDir().mkpath(Projects_Dir() + QStringLiteral("/Existing")));
    const QStringList Before = Everything();
    const QString Refused = QStringLiteral("Error! Name project is not valid");
    const struct {
        QString Name;
        QString Message;
    } Cases[] = {
        {QString(), QStringLiteral("Error! Name Project is not valid")},
        {QStringLiteral("Existing"),
         QStringLiteral("Error! Name project is not valid because directory already exists")},
#ifdef _WIN32
        // Windows names that differ only in case name one folder.
        {QStringLiteral("EXISTING"),
         QStringLiteral("Error! Name project is not valid because directory already exists")},
#endif
        {QStringLiteral("   "), Refused},
        {QStringLiteral("/"), Refused},
        {QStringLiteral("\\"), Refused},
        {QStringLiteral("."), Refused},
        {QStringLiteral(".."), Refused},
        {QStringLiteral("../Outside"), Refused},
        {QStringLiteral("a\\b"), Refused},
        {Root.filePath(QStringLiteral("Elsewhere")), Refused},
    };
    for (const auto& Case : Cases) {
        const Run_Result Result = Run({QStringLiteral("new"), Case.Name});
        EXPECT_EQ(Result.Exit_Code, 1) << Case.Name.toStdString();
        EXPECT_TRUE(Result.Out.isEmpty()) << Case.Name.toStdString();
        // The dialog's message alone does not tell a script why.
        const QStringList Reason{QStringLiteral(
            "vo40913-cli: a name may not hold \"/\" or \"\\\", be \".\" or \"..\", or be blanks only")};
        EXPECT_EQ(Result.Err_Lines,
                  QStringList{Case.Message} + (Case.Message == Refused ? Reason : QStringList()))
            << Case.Name.toStdString();
    }
    EXPECT_EQ(Everything(), Before);
}

TEST_F(Cli_New, A_PROJECTS_Folder_That_Cannot_Be_Made_Is_Named) {
    Write_All(Projects_Dir(), "a file in the way");
    const Run_Result Result = Run({QStringLiteral("new"), QStringLiteral("Plant")});
    EXPECT_EQ(Result.Exit_Code, 1);
    EXPECT_EQ(Result.Err_Lines,
              QStringList{
                  QStringLiteral("vo40913-cli: cannot create the folder \"%1\"").arg(Shown(Projects_Dir()))});
}

TEST_F(Cli_New, Wants_Exactly_One_Name) {
    EXPECT_EQ(Run({QStringLiteral("new")}).Exit_Code, 2);
    EXPECT_EQ(Run({QStringLiteral("new"), QStringLiteral("a"), QStringLiteral("b")}).Exit_Code, 2);
    EXPECT_FALSE(QFileInfo::exists(Projects_Dir()));
}

TEST_F(Cli_New, Messages_Follow_The_Chosen_Language) {
    Install_Language(QStringLiteral("Deutsch"));
    QStringList English;
    vo::Load_Default_Strings(English);
    QStringList Deutsch = English;
    ASSERT_TRUE(vo::Load_Language_File(Deutsch, Root.filePath(QStringLiteral("LANGUAGE/Deutsch.lng"))));
    ASSERT_NE(Deutsch[106], English[106]);
    ASSERT_NE(Deutsch[479], English[479]);

    const QStringList German = {QStringLiteral("--language"), QStringLiteral("Deutsch")};
    ASSERT_EQ(Run(German + QStringList{QStringLiteral("new"), QStringLiteral("Plant")}).Exit_Code, 0);
    EXPECT_EQ(Run(German + QStringList{QStringLiteral("new"), QStringLiteral("Plant")}).Err_Lines,
              QStringList{Deutsch[106]});

    // Without Ethernet port, Modbus RTU on RS232 with 5 data bits.
    Write_All(Projects_Dir() + QStringLiteral("/Plant/ParGen.xml"),
              "<Par_Gen><SER_RTU>0</SER_RTU><DATA_RTU>0</DATA_RTU></Par_Gen>");
    const Run_Result Checked = Run(German + QStringList{QStringLiteral("check"), QStringLiteral("Plant")});
    EXPECT_EQ(Checked.Exit_Code, 1);
    EXPECT_EQ(Checked.Err_Lines, QStringList{Deutsch[479]});
    EXPECT_EQ(Run({QStringLiteral("check"), QStringLiteral("Plant")}).Err_Lines, QStringList{English[479]});
}
