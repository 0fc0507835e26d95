#include "Qt_Print.h"
#include "Unprivileged.h"
#include "platform/linux/Port_Probe_Linux.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <iostream>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Ports = std::vector<std::string>;

// A pseudo-terminal: a real line whose far end the test holds.
class Pseudo_Terminal {
public:
    Pseudo_Terminal() {
        Master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (Master >= 0 && grantpt(Master) == 0 && unlockpt(Master) == 0)
            Line = ptsname(Master);
    }
    ~Pseudo_Terminal() {
        if (Held >= 0)
            close(Held);
        if (Master >= 0)
            close(Master);
    }
    Pseudo_Terminal(const Pseudo_Terminal&) = delete;
    Pseudo_Terminal& operator=(const Pseudo_Terminal&) = delete;

    // Opens the line and keeps it for this process alone, as a program using the port does.
    bool Hold_Exclusively() {
        Held = open(Line.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        return Held >= 0 && ioctl(Held, TIOCEXCL) == 0;
    }

    std::string Line;

private:
    int Master = -1;
    int Held = -1;
};

class Port_Probe_Test : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        Folder = Dir.path().toStdString();
    }

    void Link(const char* Name, const std::string& Target) {
        ASSERT_TRUE(QFile::link(QString::fromStdString(Target), Dir.filePath(QLatin1String(Name)))) << Name;
    }

    std::string Path(const char* Name) const { return Folder + "/" + Name; }

    QTemporaryDir Dir;
    std::string Folder;
};

} // namespace

TEST_F(Port_Probe_Test, Lists_Real_Lines_Only_In_Family_And_Number_Order) {
    Pseudo_Terminal A, B, C, D, E;
    ASSERT_FALSE(A.Line.empty());
    Link("ttyUSB10", A.Line);
    Link("ttyUSB2", B.Line);
    Link("ttyACM0", C.Line);
    Link("ttyS7", D.Line);   // a ttyS node must have a UART behind it; a pseudo-terminal has none
    Link("ttyUSBx", E.Line); // not a port name
    Link("tty3", E.Line);    // not a serial port family
    Link("ttyACM1", Path("nothing_there"));
    QFile Plain(Dir.filePath(QStringLiteral("ttyUSB3")));
    ASSERT_TRUE(Plain.open(QIODevice::WriteOnly));
    Plain.close();
    QDir(Dir.path()).mkdir(QStringLiteral("ttyUSB4"));

    const vo::Linux_Port_Probe Probe(Folder);
    const Ports Found = Probe.Present_Ports();
    EXPECT_EQ(Found, (Ports{Path("ttyUSB2"), Path("ttyUSB10"), Path("ttyACM0")}));
    EXPECT_EQ(Probe.Present_Ports(), Found);
}

TEST_F(Port_Probe_Test, A_ttyS_Node_Counts_Only_With_A_Chip_Behind_It) {
    // Only root opens /dev/ttyS0 rather than being refused (which lists it as busy) and makes nodes.
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to open this machine's ttyS0 and to make a device node";
    // This machine's ttyS0 when it has a UART, and a node for a ttyS with no device at all.
    QFile Type(QStringLiteral("/sys/class/tty/ttyS0/type"));
    const bool Uart = Type.open(QIODevice::ReadOnly) && Type.readAll().trimmed() != "0";
    if (Uart)
        Link("ttyS0", "/dev/ttyS0");
    // Device nodes on a file system mounted nodev cannot be opened by anyone: no test there.
    struct statvfs Mount {};
    const bool Nodes_Open = statvfs(Folder.c_str(), &Mount) == 0 && (Mount.f_flag & ST_NODEV) == 0;
    if (Nodes_Open) {
        ASSERT_EQ(mknod(Path("ttyS63").c_str(), S_IFCHR | 0600, makedev(4, 64 + 63)), 0)
            << std::strerror(errno);
    }
    if (!Uart && !Nodes_Open)
        GTEST_SKIP() << "no UART at ttyS0, and the temporary folder is mounted nodev";

    EXPECT_EQ(vo::Linux_Port_Probe(Folder).Present_Ports(), Uart ? Ports{Path("ttyS0")} : Ports{});
    if (!Uart || !Nodes_Open)
        std::cout << "[ note ] checked only "
                  << (Uart ? "ttyS0 with its UART" : "a ttyS node without a device") << "\n";
}

TEST_F(Port_Probe_Test, No_Port_At_All) {
    EXPECT_TRUE(vo::Linux_Port_Probe(Folder).Present_Ports().empty());
    EXPECT_TRUE(vo::Linux_Port_Probe(Path("missing")).Present_Ports().empty());
}

// Busy ports answer only a user without rights over them: root opens them regardless.
TEST_F(Port_Probe_Test, Busy_And_Refused_Ports_Are_Listed_For_A_Plain_User) {
    Pseudo_Terminal Busy, Refused, Free;
    ASSERT_TRUE(Busy.Hold_Exclusively());
    chmod(Busy.Line.c_str(), 0666);
    chmod(Refused.Line.c_str(), 0600);
    chmod(Free.Line.c_str(), 0666);
    Link("ttyUSB0", Busy.Line);
    Link("ttyUSB1", Refused.Line);
    Link("ttyUSB2", Free.Line);
    QFile Plain(Dir.filePath(QStringLiteral("ttyUSB3")));
    ASSERT_TRUE(Plain.open(QIODevice::WriteOnly));
    Plain.close();
    Plain.setPermissions(QFile::ReadOther | QFile::WriteOther | QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);

    const vo_test::Tool_Run Run = vo_test::Run_Tool_Unprivileged({QStringLiteral("ports"), Dir.path()});
    if (!Run.Skip_Reason.isEmpty())
        GTEST_SKIP() << Run.Skip_Reason.toStdString();
    ASSERT_EQ(Run.Exit_Code, 0) << Run.Errors.toStdString();
    const QString Base = Dir.path() + u'/';
    EXPECT_EQ(Run.Lines, (QStringList{Base + QStringLiteral("ttyUSB0"), Base + QStringLiteral("ttyUSB1"),
                                      Base + QStringLiteral("ttyUSB2")}));
}

TEST(Port_Probe_Real_Devices, This_Machine_Lists_Stably_With_UART_Types_Respected) {
    const Ports Found = vo::Linux_Port_Probe().Present_Ports();
    EXPECT_EQ(vo::Linux_Port_Probe().Present_Ports(), Found);
    std::string Shown;
    for (const std::string& Port : Found) {
        Shown += Port + " ";
        EXPECT_TRUE(Port.starts_with("/dev/ttyS") || Port.starts_with("/dev/ttyUSB") ||
                    Port.starts_with("/dev/ttyACM"))
            << Port;
    }
    std::cout << "[ note ] serial ports of this machine: " << (Shown.empty() ? "none" : Shown) << "\n";
    if (geteuid() != 0)
        return;
    // Root opens every node, so a ttyS node counts exactly when the kernel knows a UART type for it.
    for (const QFileInfo& Node :
         QDir(QStringLiteral("/dev")).entryInfoList({QStringLiteral("ttyS*")}, QDir::System)) {
        QFile Type(QStringLiteral("/sys/class/tty/%1/type").arg(Node.fileName()));
        if (!Type.open(QIODevice::ReadOnly))
            continue;
        const bool Uart = Type.readAll().trimmed() != "0";
        const bool Listed =
            std::find(Found.begin(), Found.end(), Node.filePath().toStdString()) != Found.end();
        EXPECT_EQ(Listed, Uart) << Node.filePath().toStdString();
    }
}
