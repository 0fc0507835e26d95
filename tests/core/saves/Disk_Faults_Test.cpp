// Every save on a full disk, on a file system without a free inode and on a read-only one: an
// error that names the file, the previous file whole, nothing left behind. The file systems are
// mounted in a mount namespace of the test's own, which needs root (as in CI); without it the test
// is skipped with the reason.
#include "File_Bytes.h"
#include "Private_Mounts.h"
#include "Qt_Print.h"
#include "Saved_Files.h"
#include "Tree_Listing.h"
#include "image/Image_Save.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

using vo_test::Read_All;

namespace {

std::string Failure(const std::string& What) {
    return What + ": " + std::strerror(errno);
}

// Writes a filler file into Folder until the file system has no byte left.
std::string Fill_Space(const QString& Folder) {
    const int Fd = open(QFile::encodeName(Folder + QStringLiteral("/filler")).constData(),
                        O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (Fd < 0)
        return Failure("filler");
    const std::string Block(4096, 'f');
    while (write(Fd, Block.data(), Block.size()) > 0) {
    }
    const int Error = errno;
    close(Fd);
    errno = Error;
    return Error == ENOSPC ? std::string() : Failure("filling the disk");
}

// Creates empty files in Folder until the file system has no inode left.
std::string Use_Up_Inodes(const QString& Folder) {
    for (int Count = 0;; ++Count) {
        const int Fd = open(QFile::encodeName(Folder + QStringLiteral("/inode%1").arg(Count)).constData(),
                            O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        if (Fd < 0)
            return errno == ENOSPC ? std::string() : Failure("using up the inodes");
        close(Fd);
    }
}

std::string Remount_Read_Only(const QString& Folder) {
    if (mount(nullptr, QFile::encodeName(Folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        return Failure("read-only remount");
    return {};
}

struct Disk_Case {
    const char* Label;
    const char* Tmpfs_Options; // nullptr: the installation stays on the temporary folder's disk
    std::function<std::string(const QString& Exe_Dir)> Break;
};

// The file whose name a failed save must give: the first one it writes.
QString First_File(const vo_test::Saved_Files& Files, vo_test::Save_Kind Kind) {
    const auto Paths = Files.Paths();
    switch (Kind) {
    case vo_test::Save_Kind::Par_Gen:
        return Paths[0];
    case vo_test::Save_Kind::Settings:
        return Paths[1];
    case vo_test::Save_Kind::Images:
        return Paths[2];
    case vo_test::Save_Kind::Job_File:
        return Paths[4];
    }
    return {};
}

} // namespace

TEST(Disk_Faults, Every_Save_Fails_With_Its_File_Named_And_Keeps_The_Previous_One) {
    const std::vector<Disk_Case> Cases = {
        {"full tmpfs", "size=256k", Fill_Space},
        {"tmpfs without a free inode", "size=256k,nr_inodes=32", Use_Up_Inodes},
        {"read-only tmpfs", "size=256k", Remount_Read_Only},
        {"read-only bind mount on the disk", nullptr, vo_test::Bind_Read_Only},
    };
    for (const Disk_Case& Case : Cases) {
        QTemporaryDir Root;
        const QString Exe_Dir = Root.filePath(QStringLiteral("exe"));
        ASSERT_TRUE(QDir().mkdir(Exe_Dir));
        const std::string Skip = vo_test::Run_In_Private_Mounts([&] {
            SCOPED_TRACE(Case.Label);
            if (Case.Tmpfs_Options) {
                ASSERT_EQ(vo_test::Mount_Tmpfs(Exe_Dir, Case.Tmpfs_Options), "");
            }
            const vo::Shared_State State = vo_test::Open_Installation(Exe_Dir);
            const vo_test::Saved_Files Files(State);
            for (const vo_test::Save_Kind Kind : vo_test::All_Saves)
                ASSERT_TRUE(Files.Save(Kind, 0)) << vo_test::Save_Name(Kind);
            ASSERT_EQ(Case.Break(Exe_Dir), "");
            const QStringList Before = vo_test::Tree_Listing(Exe_Dir);

            for (const vo_test::Save_Kind Kind : vo_test::All_Saves) {
                const vo::Status Saved = Files.Save(Kind, 1);
                EXPECT_FALSE(Saved) << vo_test::Save_Name(Kind);
                EXPECT_TRUE(Saved.Error().contains(QDir::toNativeSeparators(First_File(Files, Kind))))
                    << Saved.Error().toStdString();
            }
            const vo::Image_Build Update_Step = vo::Build_And_Save_Images(State);
            EXPECT_FALSE(Update_Step);
            EXPECT_TRUE(Update_Step.Error().contains(
                QDir::toNativeSeparators(First_File(Files, vo_test::Save_Kind::Images))))
                << Update_Step.Error().toStdString();

            const auto Paths = Files.Paths();
            const auto Previous = Files.Bytes(0);
            for (std::size_t File = 0; File < Paths.size(); ++File)
                EXPECT_EQ(Read_All(Paths[File]), Previous[File]) << Paths[File].toStdString();
            EXPECT_EQ(vo_test::Tree_Listing(Exe_Dir), Before);
        });
        if (!Skip.empty())
            GTEST_SKIP() << Skip;
    }
}
