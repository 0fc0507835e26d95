#include "Fake_Port_Tree.h"
#include "File_Bytes.h"
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
#include <grp.h>
#include <gtest/gtest.h>
#include <iostream>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Ports = std::vector<std::string>;

using vo_test::Pseudo_Terminal;

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
    ASSERT_TRUE(Busy.Hold(true));
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

namespace {

using vo::Port_Details;
using vo::Port_Status;
using vo_test::Fake_Port_Tree;
using Kind = Port_Details::Kind;
using State = Port_Status::State;

vo::Linux_Port_Probe Probe_Of(const Fake_Port_Tree& Tree) {
    return vo::Linux_Port_Probe((Tree.Root() + QStringLiteral("/dev")).toStdString(),
                                (Tree.Root() + QStringLiteral("/sys")).toStdString());
}

std::string This_Program() {
    QFile Comm(QStringLiteral("/proc/self/comm"));
    return Comm.open(QIODevice::ReadOnly) ? Comm.readAll().trimmed().toStdString() : std::string();
}

} // namespace

// What a technician reads about each adapter, whatever its sysfs files hold.
TEST(Port_Details_From_Sysfs, Adapters_With_Odd_Or_Missing_Attributes) {
    Fake_Port_Tree Tree;
    struct Case {
        const char* Name;
        QMap<QString, QByteArray> Attributes;
        const char* By_Id;
        Port_Details Expected;
    };
    const QString By_Id_Folder = Tree.Root() + QStringLiteral("/dev/serial/by-id/");
    const auto Stable = [&](const char* Link) {
        return (By_Id_Folder + QLatin1String(Link)).toStdString();
    };
    const std::vector<Case> Cases = {
        {"ttyUSB0",
         Fake_Port_Tree::Adapter("FTDI", "FT232R USB UART", "A50285BI"),
         "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
         {Kind::Usb, "FTDI", "FT232R USB UART", "A50285BI", "0403", "6001",
          Stable("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0")}},
        // No serial number: no serial file at all, and a stable name with blanks in it.
        {"ttyUSB1",
         {{QStringLiteral("manufacturer"), "Prolific Technology Inc. \n"},
          {QStringLiteral("product"), "USB-Serial Controller\n"},
          {QStringLiteral("idVendor"), "067b\n"},
          {QStringLiteral("idProduct"), "2303\n"}},
         "usb-Prolific Technology Inc. USB-Serial Controller-if00-port0",
         {Kind::Usb, "Prolific Technology Inc.", "USB-Serial Controller", "", "067b", "2303",
          Stable("usb-Prolific Technology Inc. USB-Serial Controller-if00-port0")}},
        // Carriage returns, tabs and control bytes; an empty serial; no stable name.
        {"ttyUSB2",
         {{QStringLiteral("manufacturer"), "\t Silicon\x01Labs\r\n"},
          {QStringLiteral("product"), "CP2102\r\n\r\n"},
          {QStringLiteral("serial"), "\n"},
          {QStringLiteral("idVendor"), "10c4"},
          {QStringLiteral("idProduct"), "ea60"}},
         "",
         {Kind::Usb, "Silicon Labs", "CP2102", "", "10c4", "ea60", ""}},
        // Nothing but the ids, and a serial number far longer than any USB string.
        {"ttyACM0",
         {{QStringLiteral("idVendor"), "2341\n"},
          {QStringLiteral("idProduct"), "0043\n"},
          {QStringLiteral("serial"), QByteArray(100000, 'S')}},
         "",
         {Kind::Usb, "", "", std::string(512, 'S'), "2341", "0043", ""}},
    };
    for (const Case& C : Cases)
        Tree.Add_Usb(QLatin1String(C.Name), C.Attributes, QLatin1String(C.By_Id));
    // A folder and a pipe where attribute files belong: neither is read, and the pipe never blocks.
    Tree.Add_Usb(QStringLiteral("ttyUSB3"), {{QStringLiteral("idVendor"), "1a86\n"}}, {});
    QDir().mkpath(Tree.Usb_Device(QStringLiteral("ttyUSB3")) + QStringLiteral("/manufacturer"));
    ASSERT_EQ(
        mkfifo((Tree.Usb_Device(QStringLiteral("ttyUSB3")) + QStringLiteral("/product")).toLocal8Bit(), 0600),
        0);
    Tree.Add_Built_In(QStringLiteral("ttyUSB4"));
    // A port that sysfs does not know.
    Pseudo_Terminal Unknown;
    ASSERT_TRUE(QFile::link(QString::fromStdString(Unknown.Line), Tree.Dev(QStringLiteral("ttyUSB5"))));

    const std::vector<vo::Port_Info> Found = Probe_Of(Tree).Describe_Ports();
    ASSERT_EQ(Found.size(), Cases.size() + 3);
    std::vector<std::string> Names;
    for (const vo::Port_Info& Port : Found)
        Names.push_back(Port.Name);
    EXPECT_EQ(Names, Probe_Of(Tree).Present_Ports()) << "the details list the same ports in the same order";
    for (const Case& C : Cases) {
        const auto It = std::find_if(Found.begin(), Found.end(), [&](const vo::Port_Info& P) {
            return P.Name == Tree.Dev_Path(QLatin1String(C.Name));
        });
        ASSERT_NE(It, Found.end()) << C.Name;
        EXPECT_EQ(It->Details, C.Expected)
            << C.Name << ": " << It->Details.Maker << "|" << It->Details.Model << "|"
            << It->Details.Serial_Number << "|" << It->Details.Stable_Name;
        EXPECT_EQ(It->Status.Port_State, State::Free) << C.Name;
    }
    const auto Details_Of = [&](const char* Name) {
        for (const vo::Port_Info& P : Found)
            if (P.Name == Tree.Dev_Path(QLatin1String(Name)))
                return P.Details;
        return Port_Details{Kind::Unknown, "missing", "", "", "", "", ""};
    };
    EXPECT_EQ(Details_Of("ttyUSB3"), (Port_Details{Kind::Usb, "", "", "", "1a86", "", ""}));
    EXPECT_EQ(Details_Of("ttyUSB4"), Port_Details{Kind::Built_In});
    EXPECT_EQ(Details_Of("ttyUSB5"), Port_Details{});
}

// Free, held by a program (named), locked by one, not permitted (with the group that cures it),
// and gone after the adapter was pulled between listing and choosing.
TEST(Port_State, Free_Busy_Not_Permitted_And_Gone) {
    Fake_Port_Tree Tree;
    for (const char* Name : {"ttyUSB0", "ttyUSB1", "ttyUSB2", "ttyUSB3"})
        Tree.Add_Usb(QLatin1String(Name), Fake_Port_Tree::Adapter("FTDI", "FT232R", Name), {});
    ASSERT_TRUE(Tree.Line(QStringLiteral("ttyUSB1")).Hold(false));
    ASSERT_TRUE(Tree.Line(QStringLiteral("ttyUSB2")).Hold(true));
    const vo::Linux_Port_Probe Probe = Probe_Of(Tree);
    const std::vector<vo::Port_Info> Found = Probe.Describe_Ports();
    ASSERT_EQ(Found.size(), 4U);
    const Port_Status Held{State::Busy, This_Program(), static_cast<long>(getpid()), ""};
    EXPECT_EQ(Found[0].Status, Port_Status{State::Free});
    EXPECT_EQ(Found[1].Status, Held);
    EXPECT_EQ(Found[2].Status, Held) << "a locked port names its holder too";
    EXPECT_EQ(Probe.Status_Of(Found[1].Name), Held);

    const std::string Pulled = Found[3].Name;
    Tree.Remove(QStringLiteral("ttyUSB3"));
    EXPECT_EQ(Probe.Status_Of(Pulled), Port_Status{State::Gone});
    EXPECT_EQ(Probe.Describe_Ports().size(), 3U);
    EXPECT_EQ(Probe.Status_Of(Tree.Dev_Path(QStringLiteral("ttyUSB9"))), Port_Status{State::Gone});
    EXPECT_EQ(Probe.Status_Of(Tree.Dev_Path(QStringLiteral("console"))), Port_Status{State::Gone});
}

TEST(Port_State, A_User_Outside_The_Ports_Group_Is_Told_Which_Group_To_Join) {
    Fake_Port_Tree Tree;
    Tree.Add_Usb(QStringLiteral("ttyUSB0"), Fake_Port_Tree::Adapter("FTDI", "FT232R", "A1"), {});
    Tree.Add_Usb(QStringLiteral("ttyUSB1"), Fake_Port_Tree::Adapter("FTDI", "FT232R", "A2"), {});
    // As udev leaves a stock Debian port: root's, group dialout, read and write for the group.
    group* Dialout = getgrnam("dialout");
    if (geteuid() != 0 || !Dialout)
        GTEST_SKIP() << "needs root and a group dialout to give a port to it";
    const std::string Line = Tree.Line(QStringLiteral("ttyUSB0")).Line;
    ASSERT_EQ(chown(Line.c_str(), 0, Dialout->gr_gid), 0);
    ASSERT_EQ(chmod(Line.c_str(), 0660), 0);
    ASSERT_EQ(chmod(Tree.Line(QStringLiteral("ttyUSB1")).Line.c_str(), 0600), 0);
    QFile::setPermissions(Tree.Root(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther);

    const vo_test::Tool_Run Run = vo_test::Run_Tool_Unprivileged({QStringLiteral("states"), Tree.Root()});
    if (!Run.Skip_Reason.isEmpty())
        GTEST_SKIP() << Run.Skip_Reason.toStdString();
    ASSERT_EQ(Run.Exit_Code, 0) << Run.Errors.toStdString();
    EXPECT_EQ(Run.Lines,
              (QStringList{Tree.Dev(QStringLiteral("ttyUSB0")) + QStringLiteral(" not-permitted dialout"),
                           Tree.Dev(QStringLiteral("ttyUSB1")) + QStringLiteral(" not-permitted ")}));
}

namespace {

// Waits on the watch's handle as an event loop does; false when nothing came within the deadline.
bool Notified(vo::Port_Watch& Watch) {
    pollfd Wait{static_cast<int>(Watch.Handle()), POLLIN, 0};
    return poll(&Wait, 1, 10000) == 1 && Watch.Take_Notifications();
}

} // namespace

TEST(Port_Watch, Tells_Of_Ports_And_Stable_Names_Coming_And_Going) {
    Fake_Port_Tree Tree;
    const std::unique_ptr<vo::Port_Watch> Watch = Probe_Of(Tree).Watch();
    ASSERT_NE(Watch, nullptr);
    // The serial folders do not exist yet: they come with the first adapter.
    Tree.Add_Usb(QStringLiteral("ttyUSB0"), Fake_Port_Tree::Adapter("FTDI", "FT232R", "A1"),
                 QStringLiteral("usb-A1"));
    EXPECT_TRUE(Notified(*Watch));
    QFile::link(QStringLiteral("../../ttyUSB0"),
                Tree.Root() + QStringLiteral("/dev/serial/by-id/usb-second name"));
    EXPECT_TRUE(Notified(*Watch)) << "a stable name made in a folder that came after the watch";
    Tree.Remove(QStringLiteral("ttyUSB0"));
    EXPECT_TRUE(Notified(*Watch));
    // Other nodes of the device folder wake the handle but concern no port.
    vo_test::Write_All(Tree.Dev(QStringLiteral("null")), {});
    pollfd Wait{static_cast<int>(Watch->Handle()), POLLIN, 0};
    ASSERT_EQ(poll(&Wait, 1, 10000), 1);
    EXPECT_FALSE(Watch->Take_Notifications());
    Wait.revents = 0;
    EXPECT_EQ(poll(&Wait, 1, 0), 0) << "everything pending was taken";
}
