#include "File_Bytes.h"
#include "Qt_Print.h"
#include "history/History_File.h"
#include "history/Snapshot.h"
#include "lang/String_Table.h"
#include "shell/Shared_State.h"

#include <QDir>
#include <QJsonDocument>
#include <QTemporaryDir>

namespace {

using vo_test::Read_All;
using vo_test::Write_All;

QByteArray Line_Of(const vo::Update_Record& Record) {
    return QJsonDocument(vo::Record_To_Json(Record)).toJson(QJsonDocument::Compact) + '\n';
}

vo::Update_Record Record_Named(const char* Id, int Exit_Code = 0) {
    vo::Update_Record Record;
    Record.Id = QLatin1String(Id);
    Record.Time = QStringLiteral("2026-12-10T10:00:00.000Z");
    Record.Sums.ParGen = QStringLiteral("ab");
    Record.Mode = QStringLiteral("serial");
    Record.Target = QStringLiteral("/dev/ttyUSB0");
    Record.Result = vo::Update_Record::Outcome::Ended;
    Record.Exit_Code = Exit_Code;
    return Record;
}

class History_File : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(vo::History_Folder(Config.path()))); }
    QString File() const { return vo::History_File_Path(Config.path()); }
    QTemporaryDir Config;
};

TEST_F(History_File, Record_Survives_A_Round_Trip) {
    vo::Update_Record Record = Record_Named("20261210-100000-000", 4);
    Record.Read_Back = false;
    Record.Option_Index = 2;
    Record.Duration_Ms = 1234;
    Record.Process_Id = 77;
    Record.Term_Signal = 15;
    Record.Adapter = {{QStringLiteral("kind"), QStringLiteral("usb")},
                      {QStringLiteral("serial_number"), QStringLiteral("A1")}};
    ASSERT_TRUE(vo::Append_Record(Config.path(), Record));
    const vo::History Read = vo::Read_History(Config.path());
    ASSERT_EQ(Read.Records.size(), 1);
    EXPECT_EQ(vo::Record_To_Json(Read.Records.first()), vo::Record_To_Json(Record));
    EXPECT_EQ(vo::Outcome_Text(Read.Records.first()), QStringLiteral("killed by signal 15"));
}

// Lines written before the port details were kept read as before, without them.
TEST_F(History_File, A_Record_Without_Adapter_Details_Still_Reads) {
    QJsonObject Older = vo::Record_To_Json(Record_Named("20261210-090000-001"));
    Older.remove(QStringLiteral("adapter"));
    Write_All(File(), QJsonDocument(Older).toJson(QJsonDocument::Compact) + '\n');
    const vo::History Read = vo::Read_History(Config.path());
    ASSERT_EQ(Read.Records.size(), 1);
    EXPECT_TRUE(Read.Problems.isEmpty());
    EXPECT_TRUE(Read.Records.first().Adapter.isEmpty());
    EXPECT_EQ(Read.Records.first().Target, QStringLiteral("/dev/ttyUSB0"));
}

// The command line's words stay as scripts read them; the windows' words follow the language and
// leave out the details.
TEST(Update_Outcome, Reads_The_Same_In_The_Command_Line_And_The_Windows) {
    vo::Shared_State State;
    vo::Load_Default_Strings(State.Lang_Strings);
    using Outcome = vo::Update_Record::Outcome;
    const struct {
        Outcome Result;
        int Exit_Code;
        int Term_Signal;
        const char* Restored;
        const char* Text;
        const char* Words;
    } Cases[] = {
        {Outcome::Ended, 3, 0, "", "ended with code 3", "Ended with code 3"},
        {Outcome::Ended, 0, 9, "", "killed by signal 9", "Killed by signal 9"},
        {Outcome::Still_Running, 0, 0, "", "still running at the limit (process 42)",
         "Still running at the limit"},
        {Outcome::Not_Started, 0, 0, "", "could not be started: no such file", "Could not be started"},
        {Outcome::Ended, 0, 0, "20261210-100000-000", "restore of 20261210-100000-000",
         "Restore of 20261210-100000-000"},
    };
    for (const auto& Case : Cases) {
        vo::Update_Record Record = Record_Named("20261210-090000-006", Case.Exit_Code);
        Record.Result = Case.Result;
        Record.Term_Signal = Case.Term_Signal;
        Record.Process_Id = 42;
        Record.Error_Text = QStringLiteral("no such file");
        Record.Restored = QLatin1String(Case.Restored);
        if (!Record.Restored.isEmpty())
            Record.Record_Kind = vo::Update_Record::Kind::Restore;
        EXPECT_EQ(vo::Outcome_Text(Record), QString::fromLatin1(Case.Text));
        EXPECT_EQ(vo::Outcome_Words(Record, State), QString::fromLatin1(Case.Words));
    }
}

// Good records are shown, every other line is reported with its number, and an append keeps the
// file's bytes as they were.
TEST_F(History_File, Bad_Lines_Are_Reported_And_Kept_On_Append) {
    QJsonObject Newer = vo::Record_To_Json(Record_Named("20261210-090000-005"));
    Newer.insert(QStringLiteral("format"), 2);
    const QByteArray Old = Line_Of(Record_Named("20261210-090000-002")) + "not json at all\n" +
                           QJsonDocument(Newer).toJson(QJsonDocument::Compact) + "\n" + "{\"format\":1}\n" +
                           "\n" + Line_Of(Record_Named("20261210-090000-003")) +
                           Line_Of(Record_Named("20261210-090000-004")).left(40);
    Write_All(File(), Old);

    // The cut line ends the file at first; after the append it has its line end and is no longer
    // the last one, so it reads as not JSON.
    const auto Check = [](const vo::History& Read, qsizetype Records, const char* Cut_Reason) {
        const struct {
            int Line;
            const char* Reason_Start;
        } Expected[] = {{2, "not JSON"},
                        {3, "written by a newer version (format 2)"},
                        {4, "not a history record"},
                        {7, Cut_Reason}};
        ASSERT_EQ(Read.Records.size(), Records);
        EXPECT_EQ(Read.Records[0].Id, QStringLiteral("20261210-090000-002"));
        EXPECT_EQ(Read.Records[1].Id, QStringLiteral("20261210-090000-003"));
        ASSERT_EQ(Read.Problems.size(), 4);
        for (int I = 0; I < 4; ++I) {
            EXPECT_EQ(Read.Problems[I].Line, Expected[I].Line);
            EXPECT_TRUE(Read.Problems[I].Reason.startsWith(QLatin1String(Expected[I].Reason_Start)))
                << Read.Problems[I].Reason.toStdString();
        }
    };
    Check(vo::Read_History(Config.path()), 2, "truncated");

    ASSERT_TRUE(vo::Append_Record(Config.path(), Record_Named("20261210-090000-007")));
    EXPECT_EQ(Read_All(File()), Old + '\n' + Line_Of(Record_Named("20261210-090000-007")));
    const vo::History After = vo::Read_History(Config.path());
    Check(After, 3, "not JSON");
    EXPECT_EQ(After.Records[2].Id, QStringLiteral("20261210-090000-007"));
}

TEST_F(History_File, No_File_Is_An_Empty_History_And_A_Folder_Is_An_Error) {
    const vo::History Empty = vo::Read_History(Config.path());
    EXPECT_TRUE(Empty.Records.isEmpty());
    EXPECT_TRUE(Empty.Error_Text.isEmpty());
    ASSERT_TRUE(QDir().mkpath(File()));
    EXPECT_FALSE(vo::Read_History(Config.path()).Error_Text.isEmpty());
    const vo::Status Refused = vo::Append_Record(Config.path(), Record_Named("20261210-090000-008"));
    EXPECT_FALSE(Refused);
    EXPECT_TRUE(QFileInfo(File()).isDir());
}

TEST_F(History_File, Only_The_Newest_Snapshots_Are_Kept) {
    const vo::Config_Files Files{QByteArray("<Par_Gen/>"), std::nullopt, std::nullopt};
    for (int I = 0; I < vo::Snapshots_Kept + 3; ++I)
        ASSERT_TRUE(vo::Save_Snapshot(
            Config.path(), QStringLiteral("20261210-1000%1-000").arg(I, 2, 10, QLatin1Char('0')), Files));
    vo::Prune_Snapshots(Config.path());
    const QStringList Left =
        QDir(vo::History_Folder(Config.path())).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    ASSERT_EQ(Left.size(), vo::Snapshots_Kept);
    EXPECT_EQ(Left.first(), QStringLiteral("20261210-100003-000"));
    EXPECT_EQ(Left.last(), QStringLiteral("20261210-100052-000"));
}

} // namespace
