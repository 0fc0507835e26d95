#include "Cli_Run.h"
#include "Qt_Print.h"

namespace {

using vo_test::Run_Cli;
using vo_test::Run_Result;

// A translator's draft in Windows-1252 with every kind of ignored line.
const QString Draft = QStringLiteral(VO_TEST_DATA "/lang/Translator_Draft.lng");

} // namespace

TEST(Cli_Lang, Prints_The_Entries_In_Id_Order_And_Reports_Ignored_Lines) {
    const Run_Result Result = Run_Cli({QStringLiteral("lang"), Draft});
    EXPECT_EQ(Result.Exit_Code, 0);
    EXPECT_EQ(Result.Out, QStringLiteral("STR1 = \u00B6Information\u00B6\n"
                                         "STR9 = \u00B6Keine Konfiguration ge\u00F6ffnet \u00B6\n"
                                         "STR20 = \u00B6Kommunikation \u00B6\n"
                                         "STR302 = \u00B6\u00B6\n"
                                         "STR318 = \u00B6 umstellen? \u20AC\u00B6\n"))
        << Result.Out.toStdString();
    const QStringList Expected_Err = {
        Draft + QStringLiteral(":6: ignored, no valid id"),
        Draft + QStringLiteral(":7: ignored, id out of range"),
        Draft + QStringLiteral(":8: ignored, id out of range"),
        Draft + QStringLiteral(":9: ignored, empty text"),
        Draft + QStringLiteral(":10: ignored, nothing before the comment"),
        Draft + QStringLiteral(":11: ignored, no valid id"),
        Draft + QStringLiteral(":12: ignored, no valid id"),
    };
    EXPECT_EQ(Result.Err_Lines, Expected_Err) << Result.Err_Lines.join(u'\n').toStdString();
}

TEST(Cli_Lang, Its_Output_Is_A_Clean_Language_File) {
    const Run_Result First = Run_Cli({QStringLiteral("lang"), Draft});
    ASSERT_EQ(First.Exit_Code, 0);
    QTemporaryDir Dir;
    const QString Copy = Dir.filePath(QStringLiteral("Clean.lng"));
    QFile File(Copy);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(First.Out.toUtf8());
    File.close();

    const Run_Result Second = Run_Cli({QStringLiteral("lang"), Copy});
    EXPECT_EQ(Second.Exit_Code, 0);
    EXPECT_EQ(Second.Out, First.Out) << Second.Out.toStdString();
    EXPECT_TRUE(Second.Err_Lines.isEmpty()) << Second.Err_Lines.join(u'\n').toStdString();
}

TEST(Cli_Lang, Exit_Status_For_Unreadable_File_And_Missing_Argument) {
    QTemporaryDir Dir;
    const Run_Result Missing = Run_Cli({QStringLiteral("lang"), Dir.filePath(QStringLiteral("none.lng"))});
    EXPECT_EQ(Missing.Exit_Code, 1);
    EXPECT_TRUE(Missing.Out.isEmpty());
    EXPECT_FALSE(Missing.Err_Lines.isEmpty());
    EXPECT_EQ(Run_Cli({QStringLiteral("lang"), Dir.path()}).Exit_Code, 1);
    EXPECT_EQ(Run_Cli({QStringLiteral("lang")}).Exit_Code, 2);
}
