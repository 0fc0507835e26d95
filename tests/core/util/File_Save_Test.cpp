#include "File_Bytes.h"
#include "Private_Mounts.h"
#include "Qt_Print.h"
#include "util/File_Save.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using vo_test::Read_All;

TEST(Save_File_Atomic, Replaces_The_Whole_File) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("a.bin"));
    ASSERT_TRUE(vo::Save_File_Atomic(Path, QByteArray(100, 'x')));
    ASSERT_TRUE(vo::Save_File_Atomic(Path, QByteArray("short")));
    EXPECT_EQ(Read_All(Path), QByteArray("short"));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.bin")});
}

// What a save killed before its rename left is cleared by the next save of the same file, once no
// live save can still be writing it; anything else beside it stays.
TEST(Save_File_Atomic, The_Next_Save_Removes_Old_Temporary_Files_Of_Its_File) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    const QStringList Old = {QStringLiteral("ParGen.xml.Ab12Cd"), QStringLiteral("ParGen.xml.zzzzzz")};
    const QStringList Kept = {QStringLiteral("ParGen.xml.young1"), QStringLiteral("ParGen.xml.bak"),
                              QStringLiteral("Other.xml.Ab12Cd")};
    for (const QString& Name : Old + Kept) {
        vo_test::Write_All(Dir.filePath(Name), "left");
        if (Name != u"ParGen.xml.young1") {
            QFile File(Dir.filePath(Name));
            ASSERT_TRUE(File.open(QIODevice::ReadWrite));
            ASSERT_TRUE(File.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                                         QFileDevice::FileModificationTime));
        }
    }
    ASSERT_TRUE(vo::Save_File_Atomic(Path, QByteArray("new")));
    QStringList Expected = Kept;
    Expected.append(QStringLiteral("ParGen.xml"));
    Expected.sort();
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files, QDir::Name), Expected);
}

TEST(Save_File_Atomic, Reports_A_Missing_Folder_By_File_Name) {
    QTemporaryDir Dir;
    const QString Missing = Dir.filePath(QStringLiteral("no/such/a.bin"));
    const vo::Status Saved = vo::Save_File_Atomic(Missing, QByteArray("x"));
    EXPECT_FALSE(Saved);
    EXPECT_TRUE(Saved.Error().contains(QDir::toNativeSeparators(Missing))) << Saved.Error().toStdString();
}

TEST(Save_File_Atomic, Read_Only_Folder_Keeps_The_Old_File) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("keep.xml"));
    ASSERT_TRUE(vo::Save_File_Atomic(Path, QByteArray("old")));
    const std::string Skip = vo_test::With_Read_Only(Dir.path(), [&] {
        const vo::Status Saved = vo::Save_File_Atomic(Path, QByteArray("new"));
        EXPECT_FALSE(Saved);
        EXPECT_TRUE(Saved.Error().contains(QDir::toNativeSeparators(Path))) << Saved.Error().toStdString();
    });
    if (!Skip.empty())
        GTEST_SKIP() << Skip;
    EXPECT_EQ(Read_All(Path), QByteArray("old"));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.xml")});
}

#ifndef _WIN32
// The write fails part way, as on a full disk, while the old file stays: here through a limit on
// the size of the files this process may write, which needs no privilege (Linux only: Windows has
// no such limit).
TEST(Save_File_Atomic, A_Write_That_Fails_Part_Way_Keeps_The_Old_File) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("keep.xml"));
    ASSERT_TRUE(vo::Save_File_Atomic(Path, QByteArray("old")));
    rlimit Before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &Before), 0);
    const auto Old_Handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit Small = Before;
    Small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &Small), 0);
    const vo::Status Saved = vo::Save_File_Atomic(Path, QByteArray(1000, 'n'));
    setrlimit(RLIMIT_FSIZE, &Before);
    std::signal(SIGXFSZ, Old_Handler);
    EXPECT_FALSE(Saved);
    EXPECT_TRUE(Saved.Error().contains(QDir::toNativeSeparators(Path))) << Saved.Error().toStdString();
    EXPECT_EQ(Read_All(Path), QByteArray("old"));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.xml")});
}

TEST(Save_File_Atomic, Keeps_Owner_Group_And_Mode_Of_The_Replaced_File) {
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    vo_test::Write_All(Path, "old");
    const QByteArray Native = QFile::encodeName(Path);
    // nobody:nogroup on Debian.
    ASSERT_EQ(chown(Native.constData(), 65534, 65534), 0);
    ASSERT_EQ(chmod(Native.constData(), 0640), 0);
    ASSERT_TRUE(vo::Save_File_Atomic(Path, QByteArray("new")));
    struct stat Info {};
    ASSERT_EQ(stat(Native.constData(), &Info), 0);
    EXPECT_EQ(Info.st_uid, 65534u);
    EXPECT_EQ(Info.st_gid, 65534u);
    EXPECT_EQ(Info.st_mode & 07777, 0640u);
    EXPECT_EQ(Read_All(Path), QByteArray("new"));
}

TEST(Save_Configuration_File, Never_Writes_Through_A_Link_Leading_Out_Of_The_Configuration) {
    QTemporaryDir Dir;
    const QString Config = Dir.filePath(QStringLiteral("PROJECTS/X"));
    const QString Outside = Dir.filePath(QStringLiteral("outside"));
    ASSERT_TRUE(QDir().mkpath(Config + QStringLiteral("/bin")));
    ASSERT_TRUE(QDir().mkpath(Outside));
    vo_test::Write_All(Outside + QStringLiteral("/victim"), "victim");
    vo_test::Write_All(Config + QStringLiteral("/real.xml"), "real");
    const struct {
        const char* Name;
        QString Link_Target; // empty: the file is no link
        QString File;        // written, relative to the configuration
        bool Written;
    } Cases[] = {
        {"plain file", QString(), QStringLiteral("ParGen.xml"), true},
        {"link inside", QStringLiteral("real.xml"), QStringLiteral("inside.xml"), true},
        {"link outside", Outside + QStringLiteral("/victim"), QStringLiteral("bin/bankK.bin"), false},
        {"relative link outside", QStringLiteral("../../../outside/victim"), QStringLiteral("bin/bank.bin"),
         false},
        {"dangling link outside", Outside + QStringLiteral("/new"), QStringLiteral("ParGen.xml"), false},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        const QString File = Config + u'/' + Case.File;
        QFile::remove(File);
        if (!Case.Link_Target.isEmpty()) {
            ASSERT_TRUE(QFile::link(Case.Link_Target, File));
        }
        const vo::Status Saved = vo::Save_Configuration_File(File, "saved", Config);
        EXPECT_EQ(bool(Saved), Case.Written) << Saved.Error().toStdString();
        if (!Case.Written) {
            EXPECT_TRUE(Saved.Error().contains(QStringLiteral("outside the configuration folder")))
                << Saved.Error().toStdString();
        }
    }
    EXPECT_EQ(Read_All(Outside + QStringLiteral("/victim")), QByteArray("victim"));
    EXPECT_FALSE(QFile::exists(Outside + QStringLiteral("/new")));
    EXPECT_EQ(Read_All(Config + QStringLiteral("/real.xml")), QByteArray("saved"));

    // A bin folder that is itself a link out of the configuration.
    ASSERT_TRUE(QDir(Config + QStringLiteral("/bin")).removeRecursively());
    ASSERT_TRUE(QFile::link(Outside, Config + QStringLiteral("/bin")));
    EXPECT_FALSE(vo::Save_Configuration_File(Config + QStringLiteral("/bin/bank.bin"), "saved", Config));
    EXPECT_FALSE(QFile::exists(Outside + QStringLiteral("/bank.bin")));
}
#endif
