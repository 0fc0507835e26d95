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
#include <functional>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

using vo_test::Write_All;

// Hostile stand-ins for a file the program reads: none may block or fill the memory. Windows has
// no pipes or devices at a path of a folder, and its links need rights a user lacks.
class Hostile_Files : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkdir(Folder));
        QFile Huge(Large);
        ASSERT_TRUE(Huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(Huge.resize(100 * 1024 * 1024)); // sparse where the file system can: no disk is spent
#ifndef Q_OS_WIN
        ASSERT_EQ(mkfifo(Fifo.toUtf8().constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Zero));
        ASSERT_TRUE(QFile::link(Dir.filePath(QStringLiteral("gone")), Dangling));
#endif
    }

    // Ways to put a stand-in at a path: links to the hostile files, or where links are out of
    // reach a folder or a huge file of its own.
    std::vector<std::function<void(const QString&)>> Stand_In_Makers() const {
#ifdef Q_OS_WIN
        return {[](const QString& At) { ASSERT_TRUE(QDir().mkdir(At)); },
                [](const QString& At) {
                    QFile Huge(At);
                    ASSERT_TRUE(Huge.open(QIODevice::WriteOnly));
                    ASSERT_TRUE(Huge.resize(100 * 1024 * 1024));
                }};
#else
        std::vector<std::function<void(const QString&)>> Makers;
        for (const QString& Target : {Fifo, Zero, Large})
            Makers.push_back([Target](const QString& At) { ASSERT_TRUE(QFile::link(Target, At)); });
        return Makers;
#endif
    }

    QTemporaryDir Dir;
    QString Folder = Dir.filePath(QStringLiteral("folder"));
    QString Large = Dir.filePath(QStringLiteral("large"));
    QString Missing = Dir.filePath(QStringLiteral("missing"));
    QString Fifo = Dir.filePath(QStringLiteral("fifo"));
    QString Zero = Dir.filePath(QStringLiteral("zero"));
    QString Dangling = Dir.filePath(QStringLiteral("dangling"));
};

} // namespace

TEST_F(Hostile_Files, Are_Refused_By_Name_Without_Waiting) {
    struct Case {
        QString Path;
        const char* Reason;
        bool Missing;
    };
    std::vector<Case> Cases = {
        {Folder, "not a regular file", false},
        {Large, "larger than 1048576 bytes", false},
        {Missing, "no such file", true},
    };
#ifndef Q_OS_WIN
    Cases.push_back({Fifo, "not a regular file", false});
    Cases.push_back({Zero, "not a regular file", false});
    Cases.push_back({Dangling, "no such file", true});
#endif
    for (const Case& Case : Cases) {
        SCOPED_TRACE(Case.Path.toStdString());
        const vo::File_Bytes Read = vo::Read_File_Bounded(Case.Path, vo::Xml_File_Cap);
        EXPECT_FALSE(Read);
        EXPECT_EQ(Read.Missing, Case.Missing);
        EXPECT_EQ(Read.Error(), QStringLiteral("Cannot read \"%1\": %2")
                                    .arg(QDir::toNativeSeparators(Case.Path), QLatin1String(Case.Reason)));
    }
}

TEST_F(Hostile_Files, The_Bound_Is_Inclusive) {
    const QString File = Dir.filePath(QStringLiteral("file"));
    Write_All(File, QByteArray(100, 'x'));
    const vo::File_Bytes At_Bound = vo::Read_File_Bounded(File, 100);
    ASSERT_TRUE(At_Bound);
    EXPECT_EQ(*At_Bound, QByteArray(100, 'x'));
    const vo::File_Bytes Over = vo::Read_File_Bounded(File, 99);
    EXPECT_FALSE(Over);
    EXPECT_TRUE(Over.Too_Large);
}

TEST_F(Hostile_Files, Settings_And_Language_Take_Their_Missing_File_Meaning) {
    const QTemporaryDir Exe;
    vo::Shared_State State;
    vo::Set_Folders(State, Exe.path());
    vo::Create_Folders(State);
    const QString Settings = vo::Settings_File_Path(State);
    const QString Deutsch = State.Language_Dir + QStringLiteral("/Deutsch.lng");
    int Kind = 0;
    for (const auto& Make_Stand_In : Stand_In_Makers()) {
        SCOPED_TRACE(Kind++);
        for (const QString& Path : {Settings, Deutsch}) {
            QFile::remove(Path);
            QDir(Path).removeRecursively();
            Make_Stand_In(Path);
        }
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
