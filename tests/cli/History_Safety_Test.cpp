#include "History_Run.h"
#include "Qt_Print.h"
#include "history/Snapshot.h"
#include "util/Writer_Lock.h"

#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <signal.h>
#include <sys/stat.h>
#include <utime.h>

namespace {

using vo_test::Read_All;
using vo_test::Run_Result;
using vo_test::Write_All;

// A configuration updated once, beside a folder outside it that nothing may touch.
class History_Safety : public vo_test::History_Cli {
protected:
    void SetUp() override {
        History_Cli::SetUp();
        Write_All(Outside.filePath(QStringLiteral("keep.txt")), "outside");
        ASSERT_EQ(Update("exit 0").Exit_Code, 0);
    }

    QString History() const { return Config() + QStringLiteral("/History"); }

    // An update whose updater, once it has said it runs, goes on with Body; started and seen running.
    std::unique_ptr<QProcess> Start_Update_Running(const QByteArray& Body) {
        const QString Started = Outside.filePath(QStringLiteral("started"));
        EXPECT_TRUE(vo_test::Write_Script(Root.filePath(QStringLiteral("Ser_40913_Update")),
                                          ": > '" + Started.toUtf8() + "'\n" + Body));
        auto Update = std::make_unique<QProcess>();
        Update->start(Program,
                      {QStringLiteral("update"), QStringLiteral("Plant 1"), QStringLiteral("--port"), Port});
        for (int Look = 0; Look < 2000 && !QFile::exists(Started); ++Look)
            QThread::msleep(10);
        EXPECT_TRUE(QFile::exists(Started));
        return Update;
    }
    QString First_Id() const { return Records()[0].toObject().value(QStringLiteral("id")).toString(); }

    // The folder outside holds exactly what it held.
    void Expect_Outside_Untouched() const {
        EXPECT_EQ(QDir(Outside.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList{QStringLiteral("keep.txt")});
        EXPECT_EQ(Read_All(Outside.filePath(QStringLiteral("keep.txt"))), QByteArray("outside"));
    }

    QTemporaryDir Outside;
};

} // namespace

// Pruning removes only the snapshot folders this program made, never through a link.
TEST_F(History_Safety, Pruning_Never_Follows_A_Link_Out) {
    for (int I = 0; I < vo::Snapshots_Kept; ++I)
        ASSERT_TRUE(
            QDir().mkpath(History() + QStringLiteral("/20200101-000000-%1").arg(I, 3, 10, QChar(u'0'))));
    // One named like a record, one not: both older than every snapshot.
    ASSERT_TRUE(QFile::link(Outside.path(), History() + QStringLiteral("/00000000-link")));
    ASSERT_TRUE(QFile::link(Outside.path(), History() + QStringLiteral("/19990101-000000-000")));
    for (int Round = 0; Round < 2; ++Round)
        ASSERT_EQ(Update("exit 0").Exit_Code, 0);
    Expect_Outside_Untouched();
    EXPECT_TRUE(QFileInfo(History() + QStringLiteral("/00000000-link")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(History() + QStringLiteral("/20200101-000000-000")));
}

// A history that leads outside through a link is neither written nor read; the update itself
// goes on and says the record could not be written.
TEST_F(History_Safety, A_History_That_Is_A_Link_Is_Not_Written_Through) {
    const QString Outside_File = Outside.filePath(QStringLiteral("keep.txt"));
    const struct {
        const char* Name;
        QString Link;   // replaced by a link
        QString Target; // to this
    } Cases[] = {
        {"history file", History() + QStringLiteral("/history.jsonl"), Outside_File},
        {"history folder", History(), Outside.path()},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        const QString Moved = Case.Link + QStringLiteral(".moved");
        ASSERT_TRUE(QFile::rename(Case.Link, Moved));
        ASSERT_TRUE(QFile::link(Case.Target, Case.Link));
        const Run_Result Result = Update("exit 0");
        EXPECT_EQ(Result.Exit_Code, 0);
        ASSERT_FALSE(Result.Err_Lines.isEmpty());
        EXPECT_TRUE(Result.Err_Lines.first().startsWith(
            QStringLiteral("Error! The update history could not be written: ")));
        EXPECT_TRUE(Result.Err_Lines.first().contains(QStringLiteral("is a link")));
        const Run_Result Listed = Run({QStringLiteral("history"), QStringLiteral("Plant 1")});
        EXPECT_EQ(Listed.Exit_Code, 1);
        Expect_Outside_Untouched();
        ASSERT_TRUE(QFile::remove(Case.Link));
        ASSERT_TRUE(QFile::rename(Moved, Case.Link));
    }
}

// A record id is a record id: a path in its place is no record, and nothing is read through it.
TEST_F(History_Safety, A_Record_Id_That_Is_A_Path_Is_No_Record) {
    QJsonObject Evil = Records()[0].toObject();
    const QString Id = QStringLiteral("../../../../") + Outside.path() + QStringLiteral("/evil");
    Evil.insert(QStringLiteral("id"), Id);
    QFile File(History() + QStringLiteral("/history.jsonl"));
    ASSERT_TRUE(File.open(QIODevice::Append));
    File.write(QJsonDocument(Evil).toJson(QJsonDocument::Compact) + '\n');
    File.close();
    const QByteArray ParGen_Before = Read_All(ParGen());
    const Run_Result Restored = Run({QStringLiteral("restore"), QStringLiteral("Plant 1"), Id});
    EXPECT_EQ(Restored.Exit_Code, 1);
    EXPECT_EQ(Read_All(ParGen()), ParGen_Before);
    const Run_Result Diff =
        Run({QStringLiteral("diff"), QStringLiteral("Plant 1@") + Id, QStringLiteral("Plant 1")});
    EXPECT_NE(Diff.Exit_Code, 0);
    EXPECT_EQ(Records().size(), 1);
    Expect_Outside_Untouched();
}

// Two restores and a change at once, thirty times: every record a restore names is in the history.
TEST_F(History_Safety, Concurrent_Restores_And_Changes_Lose_No_Record) {
    Set({QStringLiteral("BAUD_RTU=3")});
    ASSERT_EQ(Update("exit 0").Exit_Code, 0);
    const QString A = First_Id();
    const QString B = Records()[1].toObject().value(QStringLiteral("id")).toString();
    QStringList Named;
    for (int Round = 0; Round < 30; ++Round) {
        QProcess One, Two, Three;
        One.start(Program, {QStringLiteral("restore"), QStringLiteral("Plant 1"), A});
        Two.start(Program, {QStringLiteral("restore"), QStringLiteral("Plant 1"), B});
        Three.start(Program, {QStringLiteral("set"), QStringLiteral("Plant 1"),
                              QStringLiteral("TO_ASCII=%1").arg(100 + Round)});
        for (QProcess* Process : {&One, &Two, &Three}) {
            ASSERT_TRUE(Process->waitForFinished(30000));
            const QString Out = QString::fromUtf8(Process->readAllStandardOutput());
            const qsizetype At = Out.indexOf(QStringLiteral("kept as record "));
            if (Process->exitCode() == 0 && At >= 0)
                Named.append(Out.mid(At + 15).trimmed());
        }
    }
    EXPECT_FALSE(Named.isEmpty());
    QStringList Ids;
    for (const QJsonValue& Record : Records())
        Ids.append(Record.toObject().value(QStringLiteral("id")).toString());
    for (const QString& Id : std::as_const(Named))
        EXPECT_TRUE(Ids.contains(Id)) << Id.toStdString();
}

// A lock file that is a FIFO fails at once, never a wait; one that names no holder is taken
// over once it is a few seconds old.
TEST_F(History_Safety, Odd_Lock_Files_Neither_Hang_Nor_Block_For_Ever) {
    const QString Config_Lock = Config() + QStringLiteral("/.vo40913.lock");
    const QString Update_Lock = Root.filePath(QStringLiteral("Update.lock"));
    for (const QString& Lock : {Config_Lock, Update_Lock}) {
        SCOPED_TRACE(Lock.toStdString());
        ASSERT_EQ(mkfifo(Lock.toLocal8Bit().constData(), 0600), 0);
        const Run_Result Result = Update("exit 0");
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_TRUE(Result.Err_Lines.join(u'\n').contains(QStringLiteral("is not a regular file")))
            << Result.Err_Lines.join(u'\n').toStdString();
        ASSERT_TRUE(QFile::remove(Lock));
    }
    for (const QString& Lock : {Config_Lock, Update_Lock}) {
        SCOPED_TRACE(Lock.toStdString());
        Write_All(Lock, QByteArray());
        const struct utimbuf Old { time(nullptr) - 60, time(nullptr) - 60 };
        ASSERT_EQ(utime(Lock.toLocal8Bit().constData(), &Old), 0);
        const Run_Result Result = Update("exit 0");
        EXPECT_EQ(Result.Exit_Code, 0) << Result.Err_Lines.join(u'\n').toStdString();
        EXPECT_FALSE(QFile::exists(Lock));
    }
}

// An update killed while its updater runs leaves its record, whose outcome is unknown.
TEST_F(History_Safety, A_Killed_Update_Leaves_A_Record_Of_Its_Launch) {
    const QString Pid_File = Outside.filePath(QStringLiteral("pid"));
    const std::unique_ptr<QProcess> Update =
        Start_Update_Running("echo $$ > '" + Pid_File.toUtf8() + "'\nexec sleep 30\n");
    kill(static_cast<pid_t>(Update->processId()), SIGKILL);
    ASSERT_TRUE(Update->waitForFinished(10000));
    // The test started the updater, so the test ends it.
    long Pid = 0;
    for (int Look = 0; Look < 500 && Pid <= 0; ++Look, QThread::msleep(10))
        Pid = QString::fromUtf8(Read_All(Pid_File)).trimmed().toLong();
    ASSERT_GT(Pid, 0);
    kill(static_cast<pid_t>(Pid), SIGKILL);
    const QJsonArray After = Records();
    ASSERT_EQ(After.size(), 2);
    EXPECT_EQ(After[1]
                  .toObject()
                  .value(QStringLiteral("outcome"))
                  .toObject()
                  .value(QStringLiteral("state"))
                  .toString(),
              QStringLiteral("launched"));
    const Run_Result Listed = Run({QStringLiteral("history"), QStringLiteral("Plant 1")});
    EXPECT_TRUE(Listed.Out.contains(QStringLiteral("launched, outcome unknown"))) << Listed.Out.toStdString();
}

// Values from a record reach a terminal escaped: none can recolour it or forge a line.
TEST_F(History_Safety, Control_Characters_Of_A_Record_Are_Shown_Escaped) {
    QJsonObject Forged = Records()[0].toObject();
    Forged.insert(QStringLiteral("id"), QStringLiteral("20261210-100000-000"));
    Forged.insert(QStringLiteral("target"), QStringLiteral("\x1b[31mCOM1\n20261210-100000-001  forged"));
    Forged.insert(QStringLiteral("user"), QStringLiteral("\u202Eresu"));
    QFile File(History() + QStringLiteral("/history.jsonl"));
    ASSERT_TRUE(File.open(QIODevice::Append));
    File.write(QJsonDocument(Forged).toJson(QJsonDocument::Compact) + '\n');
    File.close();
    const Run_Result Listed = Run({QStringLiteral("history"), QStringLiteral("Plant 1")});
    EXPECT_EQ(Listed.Exit_Code, 0);
    EXPECT_FALSE(Listed.Out.contains(QChar(0x1b)));
    EXPECT_FALSE(Listed.Out.contains(QChar(0x202E)));
    EXPECT_TRUE(Listed.Out.contains(QStringLiteral("\\x1b[31mCOM1\\x0a20261210-100000-001  forged")))
        << Listed.Out.toStdString();
    EXPECT_TRUE(Listed.Out.contains(QStringLiteral("\\u202eresu@")));
}

// While an updater reads the images, no restore (nor any other writer) changes them under it.
TEST_F(History_Safety, A_Restore_Waits_For_No_Running_Update) {
    const QString Release = Outside.filePath(QStringLiteral("release"));
    const QByteArray BankK = Read_All(Config() + QStringLiteral("/bin/bankK.bin"));
    const std::unique_ptr<QProcess> Update =
        Start_Update_Running("while [ ! -e '" + Release.toUtf8() + "' ]; do sleep 0.02; done\n");
    const Run_Result Restored = Run({QStringLiteral("restore"), QStringLiteral("Plant 1"), First_Id()});
    Write_All(Release, QByteArray());
    ASSERT_TRUE(Update->waitForFinished(30000));
    EXPECT_EQ(Update->exitCode(), 0);
    EXPECT_EQ(Restored.Exit_Code, 1);
    EXPECT_TRUE(Restored.Err_Lines.join(u'\n').contains(QStringLiteral(".vo40913.lock\" is held by process")))
        << Restored.Err_Lines.join(u'\n').toStdString();
    EXPECT_EQ(Read_All(Config() + QStringLiteral("/bin/bankK.bin")), BankK);
}
