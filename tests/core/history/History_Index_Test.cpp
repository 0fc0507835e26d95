#include "File_Bytes.h"
#include "History_Lines.h"
#include "Qt_Print.h"
#include "history/History_File.h"
#include "history/History_Index.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace vo;

namespace {

class History_Index_File : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(History_Folder(Dir.path()))); }

    void Write(const QByteArray& Bytes) const { vo_test::Write_All(History_File_Path(Dir.path()), Bytes); }

    QTemporaryDir Dir;
};

} // namespace

// The lines are found as the full reader finds them: blank ones skipped, CR LF taken, a last line
// without its end reported as cut short, and every record read back from its place.
TEST_F(History_Index_File, Finds_Each_Line_And_Reads_It_Back) {
    const QByteArray Second = vo_test::Fake_Record_Line(1);
    const QByteArray Bytes = vo_test::Fake_Record_Line(0) + " \t\f\n\n" + Second.left(Second.size() - 1) +
                             "\r\n" + "{\"format\":9}\n" + vo_test::Fake_Record_Line(2).left(40);
    Write(Bytes);
    const History_Index Index = History_Index::Scan(Dir.path());
    const History Read = Parse_History(Bytes);
    ASSERT_TRUE(Index.Error_Text.isEmpty()) << Index.Error_Text.toStdString();
    ASSERT_EQ(Index.Count(), 4);
    EXPECT_EQ(Index.Line_Number(1), 4);
    for (qsizetype I = 0; I < 2; ++I) {
        const Result<Update_Record> Record = Index.Record_At(I);
        ASSERT_TRUE(Record) << Record.Error().toStdString();
        EXPECT_EQ(Record->Id, Read.Records[I].Id);
    }
    ASSERT_EQ(Read.Problems.size(), 2);
    EXPECT_EQ(Index.Record_At(2).Error(), QStringLiteral("line 5: ") + Read.Problems[0].Reason);
    EXPECT_EQ(Index.Record_At(3).Error(), QStringLiteral("line 6: truncated"));
    EXPECT_EQ(Read.Problems[1].Line, 6);
}

// A history that changed under the list is said to have changed, and whatever took the file's place
// is not opened (a pipe would block the window); records added after the scan leave the others be.
TEST_F(History_Index_File, A_File_Changed_Under_The_List_Is_Told) {
    QByteArray Bytes;
    for (int I = 0; I < 3; ++I)
        Bytes += vo_test::Fake_Record_Line(I);
    Write(Bytes);
    const History_Index Index = History_Index::Scan(Dir.path());
    ASSERT_EQ(Index.Count(), 3);
    Write(Bytes + vo_test::Fake_Record_Line(3));
    EXPECT_TRUE(Index.Record_At(2)) << Index.Record_At(2).Error().toStdString();

    const QString Changed = QStringLiteral("the history changed while it was shown; open it again");
    QByteArray Longer = Bytes;
    Longer.replace("\"user\":\"tech\"", "\"user\":\"technician\"");
    Write(Longer);
    EXPECT_TRUE(Index.Record_At(1).Error().endsWith(Changed)) << Index.Record_At(1).Error().toStdString();
    // Lines of the same lengths in another order: the places fit, the bytes do not.
    Write(vo_test::Fake_Record_Line(1) + vo_test::Fake_Record_Line(0) + vo_test::Fake_Record_Line(2));
    EXPECT_TRUE(Index.Record_At(0).Error().endsWith(Changed));
    EXPECT_TRUE(Index.Record_At(2)) << Index.Record_At(2).Error().toStdString();
    Write(Bytes.left(Bytes.size() / 2));
    EXPECT_TRUE(Index.Record_At(0).Error().endsWith(Changed));
#ifndef _WIN32
    const QString Path = History_File_Path(Dir.path());
    ASSERT_TRUE(QFile::remove(Path));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path).constData(), 0600), 0);
    EXPECT_TRUE(Index.Record_At(0).Error().endsWith(Changed));
    EXPECT_TRUE(History_Index::Scan(Dir.path())
                    .Error_Text.startsWith(QStringLiteral("\"%1\" is not a regular file").arg(Path)));
#endif
}
