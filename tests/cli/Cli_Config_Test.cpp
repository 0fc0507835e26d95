#include "Cli_Run.h"
#include "Qt_Print.h"

namespace {

using vo_test::Config_Folder;
using vo_test::Read_All;
using vo_test::Run_Cli;
using vo_test::Run_Result;
using vo_test::Shown;
using vo_test::Write_All;

class Cli_Config : public vo_test::Copied_Cli {};

// Each command that takes a CONFIG, with arguments that would pass.
const QStringList Config_Commands[] = {
    {QStringLiteral("show")},
    {QStringLiteral("check")},
    {QStringLiteral("set"), QStringLiteral("MODE_DEV=1")},
    {QStringLiteral("build")},
};

// The command with CONFIG in its place.
QStringList With_Config(QStringList Command, const QString& Config) {
    Command.insert(1, Config);
    return Command;
}

} // namespace

TEST_F(Cli_Config, A_Name_Is_A_Folder_Under_PROJECTS_A_Value_With_A_Slash_A_Path) {
    const QString Plant = Projects_Dir() + QStringLiteral("/Plant 1");
    ASSERT_TRUE(QDir().mkpath(Plant));
    Write_All(Plant + QStringLiteral("/ParGen.xml"), "<Par_Gen><TO_ASCII>250</TO_ASCII></Par_Gen>");
    const QString Outside = Root.filePath(QStringLiteral("Outside"));
    ASSERT_TRUE(QDir().mkpath(Outside));
    Write_All(Outside + QStringLiteral("/ParGen.xml"), "<Par_Gen><TO_ASCII>7</TO_ASCII></Par_Gen>");

    for (const QString& Config : {QStringLiteral("Plant 1"), Plant, Plant + QStringLiteral("/"),
                                  Projects_Dir() + QStringLiteral("/./Plant 1")}) {
        const Run_Result Result = Run({QStringLiteral("show"), Config});
        EXPECT_EQ(Result.Exit_Code, 0) << Config.toStdString();
        EXPECT_TRUE(Result.Out.contains(QStringLiteral("\nTO_ASCII=250\n"))) << Config.toStdString();
    }
    const Run_Result By_Path = Run({QStringLiteral("show"), Outside});
    EXPECT_TRUE(By_Path.Out.contains(QStringLiteral("\nTO_ASCII=7\n")));
}

TEST_F(Cli_Config, A_Config_That_Is_No_Folder_Is_Named_In_The_Error) {
    ASSERT_TRUE(QDir().mkpath(Projects_Dir() + QStringLiteral("/Plant")));
    ASSERT_TRUE(QDir().mkpath(Root.filePath(QStringLiteral("Outside"))));
    Write_All(Root.filePath(QStringLiteral("File")), "<Par_Gen/>");
    const QString Not_A_Name =
        QStringLiteral("is not a configuration name (a folder path must contain \"/\")");
    const QString No_Folder = QStringLiteral("vo40913-cli: no configuration folder \"%1\"");
    const struct {
        QString Config;
        QString Error;
    } Cases[] = {
        {QStringLiteral("Missing"), No_Folder.arg(Shown(Projects_Dir() + QStringLiteral("/Missing")))},
#ifndef _WIN32
        // Linux names differ by case; on Windows "plant" is the folder "Plant".
        {QStringLiteral("plant"), No_Folder.arg(Shown(Projects_Dir() + QStringLiteral("/plant")))},
#endif
        {Root.filePath(QStringLiteral("Missing/")),
         No_Folder.arg(Shown(Root.filePath(QStringLiteral("Missing"))))},
        {Root.filePath(QStringLiteral("File")), No_Folder.arg(Shown(Root.filePath(QStringLiteral("File"))))},
        // A name never reaches outside PROJECTS.
        {QStringLiteral(".."), QStringLiteral("vo40913-cli: \"..\" ") + Not_A_Name},
#ifndef _WIN32
        // On Windows "\" makes a path.
        {QStringLiteral("..\\Outside"), QStringLiteral("vo40913-cli: \"..\\Outside\" ") + Not_A_Name},
#endif
        {QStringLiteral("   "), QStringLiteral("vo40913-cli: \"   \" ") + Not_A_Name},
        {QString(), QStringLiteral("vo40913-cli: \"\" ") + Not_A_Name},
    };
    for (const QStringList& Command : Config_Commands) {
        for (const auto& Case : Cases) {
            const Run_Result Result = Run(With_Config(Command, Case.Config));
            const std::string Name = (Command.first() + u' ' + Case.Config).toStdString();
            EXPECT_EQ(Result.Exit_Code, 1) << Name;
            EXPECT_TRUE(Result.Out.isEmpty()) << Name;
            EXPECT_EQ(Result.Err_Lines, QStringList{Case.Error}) << Name;
        }
    }
    EXPECT_FALSE(QFile::exists(Projects_Dir() + QStringLiteral("/Plant/ParGen.xml")));
    EXPECT_FALSE(QFile::exists(Root.filePath(QStringLiteral("Outside/ParGen.xml"))));
}

TEST(Cli_Config_File, A_ParGen_That_Cannot_Be_Parsed_Is_An_Error_And_Stays_As_It_Is) {
    const QByteArray Broken[] = {
        QByteArray("<Par_Gen><MODE_DEV>1</MODE_DEV>"),
        QByteArray(),
        QByteArray("\x00\x01\x02\xff\xfe\x80", 6),
        QByteArray("<!-- only a comment -->"),
    };
    for (const QByteArray& Bytes : Broken) {
        for (const QStringList& Command : Config_Commands) {
            const Config_Folder Config;
            Write_All(Config.ParGen, Bytes);
            const Run_Result Result = Run_Cli(With_Config(Command, Config.Path()));
            const std::string Name = Command.first().toStdString() + " on " + Bytes.toHex().toStdString();
            EXPECT_EQ(Result.Exit_Code, 1) << Name;
            EXPECT_TRUE(Result.Out.isEmpty()) << Name;
            ASSERT_EQ(Result.Err_Lines.size(), 1) << Name;
            EXPECT_TRUE(Result.Err_Lines.first().startsWith(
                QStringLiteral("vo40913-cli: \"%1\" is not valid XML: ").arg(Shown(Config.ParGen))))
                << Result.Err_Lines.first().toStdString();
            EXPECT_EQ(Read_All(Config.ParGen), Bytes) << Name;
        }
    }
}

TEST(Cli_Config_File, A_Folder_In_Place_Of_ParGen_Is_An_Error) {
    const Config_Folder Config;
    ASSERT_TRUE(QDir().mkdir(Config.ParGen));
    for (const QStringList& Command : Config_Commands) {
        const Run_Result Result = Run_Cli(With_Config(Command, Config.Path()));
        EXPECT_EQ(Result.Exit_Code, 1) << Command.first().toStdString();
        ASSERT_EQ(Result.Err_Lines.size(), 1);
        EXPECT_TRUE(Result.Err_Lines.first().startsWith(
            QStringLiteral("vo40913-cli: Cannot read \"%1\"").arg(Shown(Config.ParGen))))
            << Result.Err_Lines.first().toStdString();
        EXPECT_TRUE(QFileInfo(Config.ParGen).isDir());
    }
}
