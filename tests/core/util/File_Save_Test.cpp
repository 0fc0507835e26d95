#include "File_Bytes.h"
#include "Private_Mounts.h"
#include "util/File_Save.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
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

TEST(Save_File_Atomic, Reports_A_Missing_Folder_By_File_Name) {
    QTemporaryDir Dir;
    const QString Missing = Dir.filePath(QStringLiteral("no/such/a.bin"));
    const vo::Save_Status Status = vo::Save_File_Atomic(Missing, QByteArray("x"));
    EXPECT_FALSE(Status);
    EXPECT_TRUE(Status.Error_Text.contains(QDir::toNativeSeparators(Missing)))
        << Status.Error_Text.toStdString();
}

TEST(Save_File_Atomic, Read_Only_Folder_Keeps_The_Old_File) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("keep.xml"));
    ASSERT_TRUE(vo::Save_File_Atomic(Path, QByteArray("old")));
    const std::string Skip = vo_test::With_Read_Only(Dir.path(), [&] {
        const vo::Save_Status Status = vo::Save_File_Atomic(Path, QByteArray("new"));
        EXPECT_FALSE(Status);
        EXPECT_TRUE(Status.Error_Text.contains(QDir::toNativeSeparators(Path)))
            << Status.Error_Text.toStdString();
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
    const vo::Save_Status Status = vo::Save_File_Atomic(Path, QByteArray(1000, 'n'));
    setrlimit(RLIMIT_FSIZE, &Before);
    std::signal(SIGXFSZ, Old_Handler);
    EXPECT_FALSE(Status);
    EXPECT_TRUE(Status.Error_Text.contains(QDir::toNativeSeparators(Path)))
        << Status.Error_Text.toStdString();
    EXPECT_EQ(Read_All(Path), QByteArray("old"));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.xml")});
}
#endif
