#include "File_Bytes.h"
#include "Qt_Print.h"
#include "util/Writer_Lock.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>
#include <QTemporaryDir>

using namespace std::chrono_literals;

namespace {

// The host a lock file names: Qt takes the computer's name from the environment on Windows.
QString Lock_Host() {
#ifdef Q_OS_WIN
    return qEnvironmentVariable("COMPUTERNAME");
#else
    return QSysInfo::machineHostName();
#endif
}

} // namespace

TEST(Writer_Lock, A_Second_Writer_Is_Told_The_Holder_And_Gets_The_Lock_Once_Released) {
    const QTemporaryDir Dir;
    vo::Writer_Lock First(vo::Lock_Of::Configuration, Dir.path());
    ASSERT_TRUE(First.Acquire(0ms));
    vo::Writer_Lock Second(vo::Lock_Of::Configuration, Dir.path());
    const vo::Status Busy = Second.Acquire(50ms);
    EXPECT_FALSE(Busy);
    EXPECT_EQ(Busy.Error(), QStringLiteral("\"%1\" is held by process %2 (%3) on host \"%4\"")
                                .arg(QDir::toNativeSeparators(Dir.filePath(QStringLiteral(".vo40913.lock"))))
                                .arg(QCoreApplication::applicationPid())
                                .arg(QCoreApplication::applicationName(), Lock_Host()));
    EXPECT_FALSE(Second.Held());
    First.Release();
    EXPECT_TRUE(Second.Acquire(0ms));
    EXPECT_TRUE(Second.Held());
}

TEST(Writer_Lock, A_Lock_Left_By_A_Process_That_Ended_Is_Taken_Over_Whatever_Its_Age) {
    const QTemporaryDir Dir;
    // Process ids stay below the kernel's pid_max (at most 2^22).
    vo_test::Write_All(Dir.filePath(QStringLiteral("Update.lock")),
                       "99999999\nvo40913-cli\n" + Lock_Host().toUtf8() + '\n');
    vo::Writer_Lock Lock(vo::Lock_Of::Updates, Dir.path());
    EXPECT_TRUE(Lock.Acquire(0ms));
}
