#include "Cli_Run.h"

#include <QFileInfo>

// A build made with a Qt without Gui has no report: the command says so, fails and writes nothing.
TEST(Cmd_Report_Unavailable, Says_So_And_Writes_Nothing) {
    vo_test::Config_Folder Config;
    const QString Pdf = Config.Dir.filePath(QStringLiteral("report.pdf"));
    const vo_test::Run_Result Result =
        vo_test::Run_Cli({QStringLiteral("report"), Config.Path(), QStringLiteral("-o"), Pdf});
    EXPECT_EQ(Result.Exit_Code, 1);
    EXPECT_EQ(Result.Out, QString());
    EXPECT_EQ(Result.Err_Lines,
              QStringList(QStringLiteral("vo40913-cli: the report is not available in this "
                                         "build: it was made without Qt Gui, which lays out "
                                         "the report")));
    EXPECT_FALSE(QFileInfo::exists(Pdf));
}
