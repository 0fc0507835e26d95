#include "File_Bytes.h"
#include "Qt_Print.h"
#include "lang/String_Table.h"
#include "shell/Settings_File.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"
#include "util/File_Read.h"
#include "util/Xml_Doc.h"

#include <QDir>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

using vo_test::Write_All;

// Hostile stand-ins for a file the program reads: none may block or fill the memory.
class Hostile_Files : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(mkfifo(Fifo.toUtf8().constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Zero));
        ASSERT_TRUE(QFile::link(Dir.filePath(QStringLiteral("gone")), Dangling));
        QFile Huge(Large);
        ASSERT_TRUE(Huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(Huge.resize(100 * 1024 * 1024)); // sparse: no disk is spent
    }

    QTemporaryDir Dir;
    QString Fifo = Dir.filePath(QStringLiteral("fifo"));
    QString Zero = Dir.filePath(QStringLiteral("zero"));
    QString Dangling = Dir.filePath(QStringLiteral("dangling"));
    QString Large = Dir.filePath(QStringLiteral("large"));
};

} // namespace

TEST_F(Hostile_Files, Are_Refused_By_Name_Without_Waiting) {
    const struct {
        QString Path;
        const char* Reason;
        bool Missing;
    } Cases[] = {
        {Fifo, "not a regular file", false},       {Zero, "not a regular file", false},
        {Dir.path(), "not a regular file", false}, {Large, "larger than 1048576 bytes", false},
        {Dangling, "no such file", true},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Path.toStdString());
        const vo::File_Bytes Read = vo::Read_File_Bounded(Case.Path, vo::Xml_File_Cap);
        EXPECT_FALSE(Read);
        EXPECT_EQ(Read.Missing, Case.Missing);
        EXPECT_TRUE(Read.Bytes.isEmpty());
        EXPECT_EQ(Read.Error_Text,
                  QStringLiteral("Cannot read \"%1\": %2").arg(Case.Path, QLatin1String(Case.Reason)));
    }
}

TEST_F(Hostile_Files, The_Bound_Is_Inclusive) {
    const QString File = Dir.filePath(QStringLiteral("file"));
    Write_All(File, QByteArray(100, 'x'));
    const vo::File_Bytes At_Bound = vo::Read_File_Bounded(File, 100);
    ASSERT_TRUE(At_Bound);
    EXPECT_EQ(At_Bound.Bytes, QByteArray(100, 'x'));
    const vo::File_Bytes Over = vo::Read_File_Bounded(File, 99);
    EXPECT_FALSE(Over);
    EXPECT_TRUE(Over.Too_Large);
}

TEST_F(Hostile_Files, Settings_And_Language_Take_Their_Missing_File_Meaning) {
    const QTemporaryDir Exe;
    vo::Shared_State State;
    vo::Set_Folders(State, Exe.path());
    vo::Create_Folders(State);
    for (const QString& Stand_In : {Fifo, Zero, Large}) {
        SCOPED_TRACE(Stand_In.toStdString());
        QFile::remove(vo::Settings_File_Path(State));
        QFile::remove(State.Language_Dir + QStringLiteral("/Deutsch.lng"));
        ASSERT_TRUE(QFile::link(Stand_In, vo::Settings_File_Path(State)));
        ASSERT_TRUE(QFile::link(Stand_In, State.Language_Dir + QStringLiteral("/Deutsch.lng")));
        State.Language_Name = QStringLiteral("Italiano");
        vo::Read_Settings(State);
        EXPECT_EQ(State.Language_Name, QStringLiteral("English"));
        EXPECT_EQ(State.Last_IP_Address, QStringLiteral("192.168.2.205"));
        State.Language_Name = QStringLiteral("Deutsch");
        vo::Load_Language(State);
        EXPECT_EQ(State.Text(18), QStringLiteral("Error! Project not Valid"));
        EXPECT_EQ(State.Lang_Strings.size(), vo::String_Count);
    }
}

TEST_F(Hostile_Files, Language_Names_Are_Plain_File_Names) {
    const QTemporaryDir Exe;
    vo::Shared_State State;
    vo::Set_Folders(State, Exe.path());
    vo::Create_Folders(State);
    // A language file outside LANGUAGE that a path in the settings would reach.
    Write_All(Exe.filePath(QStringLiteral("Evil.lng")), "STR18 = Evil\n");
    for (const char* Name : {"../Evil", "..", "/x/Evil", "..\\Evil"}) {
        SCOPED_TRACE(Name);
        State.Language_Name = QString::fromUtf8(Name);
        vo::Load_Language(State);
        EXPECT_EQ(State.Language_Name, QStringLiteral("English"));
        EXPECT_EQ(State.Text(18), QStringLiteral("Error! Project not Valid"));
    }
}
