#include "Cli_Run.h"
#include "Qt_Print.h"

namespace {

using vo_test::Config_Folder;
using vo_test::Read_All;
using vo_test::Run_Cli;
using vo_test::Run_Result;
using vo_test::Test_Data;

} // namespace

TEST(Cli_Show, Prints_What_The_Dialog_Holds_After_Loading) {
    const struct {
        const char* ParGen; // none: the configuration has no parameter file yet
        const char* Expected;
    } Cases[] = {
        {nullptr, "cli/Show_Missing_File.txt"},
        // Reordered, duplicated, nested and miscased elements, CDATA, an attribute.
        {"params/ParGen_Hand_Written.xml", "cli/Show_Hand_Written.txt"},
        // List texts that are no integer, outside their list, with blanks, sign or "0x".
        {"cli/ParGen_Odd_Values.xml", "cli/Show_Odd_Values.txt"},
        // As the dialog writes it, with lists that have nothing chosen and escaped text.
        {"params/ParGen_Varied.xml", "cli/Show_Varied.txt"},
    };
    for (const auto& Case : Cases) {
        const QByteArray Before = Case.ParGen ? Test_Data(Case.ParGen) : QByteArray();
        const Config_Folder Config(Before);

        const Run_Result Result = Run_Cli({QStringLiteral("show"), Config.Path()});
        EXPECT_EQ(Result.Exit_Code, 0) << Case.Expected;
        EXPECT_EQ(Result.Out.toUtf8(), Test_Data(Case.Expected)) << Case.Expected;
        EXPECT_EQ(Result.Err_Lines, QStringList()) << Case.Expected;
        EXPECT_EQ(QFile::exists(Config.ParGen), Case.ParGen != nullptr) << Case.Expected;
        EXPECT_EQ(Read_All(Config.ParGen), Before) << Case.Expected;
    }
}

TEST(Cli_Show, Wants_Exactly_One_Configuration) {
    const Config_Folder Config;
    EXPECT_EQ(Run_Cli({QStringLiteral("show")}).Exit_Code, 2);
    const Run_Result Two = Run_Cli({QStringLiteral("show"), Config.Path(), Config.Path()});
    EXPECT_EQ(Two.Exit_Code, 2);
    EXPECT_TRUE(Two.Out.isEmpty());
    EXPECT_EQ(Two.Err_Lines, QStringList{QStringLiteral("Usage: vo40913-cli show [--json] CONFIG")});
}
