#include "Cli_Run.h"
#include "Fake_Port_Tree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <unistd.h>

using vo_test::Fake_Port_Tree;
using vo_test::Run_Cli;
using vo_test::Run_Result;

namespace {

// Two adapters as a technician plugs them: one with a serial number and its stable name, one
// without either, held by a program.
struct Two_Adapters : testing::Test {
    void SetUp() override {
        Tree.Add_Usb(QStringLiteral("ttyUSB0"),
                     Fake_Port_Tree::Adapter("FTDI", "FT232R USB UART", "A50285BI"),
                     QStringLiteral("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
        Tree.Add_Usb(QStringLiteral("ttyUSB1"),
                     {{QStringLiteral("manufacturer"), "Prolific Technology Inc.\n"},
                      {QStringLiteral("product"), "USB-Serial Controller\n"},
                      {QStringLiteral("idVendor"), "067b\n"},
                      {QStringLiteral("idProduct"), "2303\n"}},
                     {});
        ASSERT_TRUE(Tree.Line(QStringLiteral("ttyUSB1")).Hold(true));
    }

    QString Stable() const {
        return Tree.Root() + QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    }
    QString Held_By() const {
        QFile Comm(QStringLiteral("/proc/self/comm"));
        Comm.open(QIODevice::ReadOnly);
        return QStringLiteral("busy: held by %1 (process %2)")
            .arg(QString::fromUtf8(Comm.readAll().trimmed()))
            .arg(getpid());
    }

    Fake_Port_Tree Tree;
};

} // namespace

TEST_F(Two_Adapters, Columns_Of_Port_State_Details_And_Stable_Name) {
    const Run_Result Result = Run_Cli({QStringLiteral("ports"), QStringLiteral("--root"), Tree.Root()});
    ASSERT_EQ(Result.Exit_Code, 0) << Result.Err_Lines.join(u'\n').toStdString();
    std::cout << Result.Out.toStdString();
    const QStringList Lines = Result.Out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(Lines.size(), 3);
    const QRegularExpression Gap(QStringLiteral(" {2,}"));
    EXPECT_EQ(Lines[0].split(Gap), (QStringList{QStringLiteral("PORT"), QStringLiteral("STATE"),
                                                QStringLiteral("DETAILS"), QStringLiteral("STABLE NAME")}));
    EXPECT_EQ(Lines[1].split(Gap),
              (QStringList{Tree.Dev(QStringLiteral("ttyUSB0")), QStringLiteral("free"),
                           QStringLiteral("FTDI FT232R USB UART, serial number A50285BI"), Stable()}));
    EXPECT_EQ(Lines[2].split(Gap),
              (QStringList{Tree.Dev(QStringLiteral("ttyUSB1")), Held_By(),
                           QStringLiteral("Prolific Technology Inc. USB-Serial Controller")}));
    // Each column starts at the same place on every line.
    for (const QString& Heading : {QStringLiteral("STATE"), QStringLiteral("DETAILS")}) {
        const qsizetype At = Lines[0].indexOf(Heading);
        for (const QString& Line : Lines.mid(1))
            EXPECT_EQ(Line.at(At - 1), u' ') << Line.toStdString();
        EXPECT_NE(Lines[1].at(At), u' ');
    }
}

TEST_F(Two_Adapters, Json_Gives_The_Same_Fields) {
    const Run_Result Result =
        Run_Cli({QStringLiteral("ports"), QStringLiteral("--json"), QStringLiteral("--root"), Tree.Root()});
    ASSERT_EQ(Result.Exit_Code, 0);
    const QJsonObject Object = QJsonDocument::fromJson(Result.Out.toUtf8()).object();
    EXPECT_EQ(Object.value(QStringLiteral("ports")).toArray(),
              (QJsonArray{Tree.Dev(QStringLiteral("ttyUSB0")), Tree.Dev(QStringLiteral("ttyUSB1"))}));
    const QJsonArray Entries = Object.value(QStringLiteral("entries")).toArray();
    ASSERT_EQ(Entries.size(), 2);
    EXPECT_EQ(Entries[0].toObject(),
              (QJsonObject{
                  {QStringLiteral("port"), Tree.Dev(QStringLiteral("ttyUSB0"))},
                  {QStringLiteral("state"), QStringLiteral("free")},
                  {QStringLiteral("state_text"), QStringLiteral("free")},
                  {QStringLiteral("holder"), QString()},
                  {QStringLiteral("holder_process"), 0},
                  {QStringLiteral("fix_group"), QString()},
                  {QStringLiteral("details"), QStringLiteral("FTDI FT232R USB UART, serial number A50285BI")},
                  {QStringLiteral("kind"), QStringLiteral("usb")},
                  {QStringLiteral("maker"), QStringLiteral("FTDI")},
                  {QStringLiteral("model"), QStringLiteral("FT232R USB UART")},
                  {QStringLiteral("serial_number"), QStringLiteral("A50285BI")},
                  {QStringLiteral("vendor_id"), QStringLiteral("0403")},
                  {QStringLiteral("product_id"), QStringLiteral("6001")},
                  {QStringLiteral("stable_name"), Stable()}}));
    const QJsonObject Held = Entries[1].toObject();
    EXPECT_EQ(Held.value(QStringLiteral("state")), QStringLiteral("busy"));
    EXPECT_EQ(Held.value(QStringLiteral("state_text")), Held_By());
    EXPECT_EQ(Held.value(QStringLiteral("holder_process")).toInteger(), getpid());
    EXPECT_EQ(Held.value(QStringLiteral("serial_number")), QString());
}

TEST(Cli_Ports_Watch, Follows_An_Adapter_Plugged_In_And_Pulled_Out) {
    Fake_Port_Tree Tree;
    Tree.Add_Built_In(QStringLiteral("ttyUSB0"));
    QProcess Watch;
    Watch.start(vo_test::Built_Cli(),
                {QStringLiteral("ports"), QStringLiteral("--watch"), QStringLiteral("--root"), Tree.Root()});
    QString Seen;
    // Waits for output, never for a fixed time; the deadline only ends a failing test.
    const auto Wait_For = [&](const QString& Text) {
        while (!Seen.contains(Text) && Watch.waitForReadyRead(20000))
            Seen += QString::fromUtf8(Watch.readAllStandardOutput());
        return Seen.contains(Text);
    };
    ASSERT_TRUE(Wait_For(QStringLiteral("built-in serial port\n"))) << Seen.toStdString();
    Tree.Add_Usb(QStringLiteral("ttyUSB1"), Fake_Port_Tree::Adapter("FTDI", "FT232R", "A1"),
                 QStringLiteral("usb-A1"));
    EXPECT_TRUE(Wait_For(QStringLiteral("+ ") + Tree.Dev(QStringLiteral("ttyUSB1")) +
                         QStringLiteral("  free  FTDI FT232R, serial number A1  ") + Tree.Root() +
                         QStringLiteral("/dev/serial/by-id/usb-A1\n")))
        << Seen.toStdString();
    Tree.Remove(QStringLiteral("ttyUSB1"));
    EXPECT_TRUE(Wait_For(QStringLiteral("- ") + Tree.Dev(QStringLiteral("ttyUSB1")) + u'\n'))
        << Seen.toStdString();
    Watch.kill();
    Watch.waitForFinished();
    EXPECT_TRUE(Watch.readAllStandardError().isEmpty());
}

TEST(Cli_Ports_Watch, Root_Needs_A_Folder) {
    const Run_Result Result = Run_Cli({QStringLiteral("ports"), QStringLiteral("--root")});
    EXPECT_EQ(Result.Exit_Code, 2);
    EXPECT_EQ(Result.Err_Lines,
              QStringList{QStringLiteral("Usage: vo40913-cli ports [--json] [--watch] [--root DIR]")});
}
