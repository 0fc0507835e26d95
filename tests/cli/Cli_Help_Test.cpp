#include "Cli_Run.h"
#include "Qt_Print.h"

namespace {

using vo_test::Run_Result;

class Cli_Help : public vo_test::Copied_Cli {
protected:
    QStringList Projects() const { return QDir(Projects_Dir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }
};

} // namespace

// COMMAND --help prints that command's usage and does nothing else: no configuration named
// "--help", no images, no "OK", no updater.
TEST_F(Cli_Help, Every_Command_Shows_Its_Usage_And_Touches_Nothing) {
    ASSERT_EQ(Run({QStringLiteral("new"), QStringLiteral("Plant")}).Exit_Code, 0);
    const QStringList Commands{
        QStringLiteral("lang"),  QStringLiteral("check-version"), QStringLiteral("new"),
        QStringLiteral("show"),  QStringLiteral("set"),           QStringLiteral("set-info"),
        QStringLiteral("check"), QStringLiteral("build"),         QStringLiteral("inspect"),
        QStringLiteral("ports"), QStringLiteral("update"),        QStringLiteral("history"),
        QStringLiteral("diff"),  QStringLiteral("restore"),       QStringLiteral("linktest")};
    for (const QString& Command : Commands) {
        for (const QStringList& Args :
             {QStringList{Command, QStringLiteral("--help")},
              QStringList{Command, QStringLiteral("Plant"), QStringLiteral("-h")}}) {
            SCOPED_TRACE(Args.join(u' ').toStdString());
            const Run_Result Help = Run(Args);
            EXPECT_EQ(Help.Exit_Code, 0);
            EXPECT_TRUE(
                Help.Out.startsWith(QStringLiteral("Usage: vo40913-cli [--language NAME] ") + Command + u' '))
                << Help.Out.toStdString();
        }
    }
    EXPECT_EQ(Projects(), QStringList{QStringLiteral("Plant")});
    EXPECT_FALSE(QFile::exists(Projects_Dir() + QStringLiteral("/Plant/bin/bankK.bin")));
}

// A name that begins with "-" is taken for a mistyped option, unless it follows "--".
TEST_F(Cli_Help, New_Takes_A_Dash_Name_Only_After_Dashes) {
    const Run_Result Refused = Run({QStringLiteral("new"), QStringLiteral("-x")});
    EXPECT_EQ(Refused.Exit_Code, 2);
    EXPECT_TRUE(Refused.Err_Lines.join(u'\n').contains(QStringLiteral("unknown option -x")));
    EXPECT_TRUE(Projects().isEmpty());
    const Run_Result Made = Run({QStringLiteral("new"), QStringLiteral("--"), QStringLiteral("-x")});
    EXPECT_EQ(Made.Exit_Code, 0) << Made.Err_Lines.join(u'\n').toStdString();
    EXPECT_EQ(Projects(), QStringList{QStringLiteral("-x")});
}
