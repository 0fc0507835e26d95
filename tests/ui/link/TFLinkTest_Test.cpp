#include "File_Bytes.h"
#include "Pty_Slave.h"
#include "Qt_Print.h"
#include "Ui_Fixture.h"
#include "history/History_File.h"
#include "history/Update_History.h"
#include "link/Link_Frame_Model.h"
#include "link/TFLinkTest.h"
#include "params/Par_Gen_File.h"
#include "shell/Startup.h"
#include "shell/TFVorlentFirmWare.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace vo::test;

namespace {

// The main window over a configuration "Plant1" whose converter answers as Modbus RTU slave at
// 115200 baud; the far end of a pseudo-terminal plays it.
class Link_Test_Window : public testing::Test {
protected:
    void SetUp() override {
        vo::Start_Up(State, Dir.path());
        ASSERT_TRUE(QDir(State.Projects_Dir).mkpath(QStringLiteral("Plant1/bin")));
        State.Project_Name = QStringLiteral("Plant1");
        State.Project_Path = State.Projects_Dir + QStringLiteral("/Plant1");
        vo::Set_Files(State);
        ASSERT_TRUE(vo::Save_Par_Gen(Set, State.ParGen_File));
        Window = std::make_unique<vo::TFVorlentFirmWare>(State, Services.Svc);
        Window->show();
    }

    // Shows the link test window from the main window and runs Action on it.
    void Show_Link_Test(std::function<void(vo::TFLinkTest*)> Action) {
        On_Next_Modal([&](QWidget* Dialog) { Action(qobject_cast<vo::TFLinkTest*>(Dialog)); });
        Click(Window.get(), "Btn_Link_Test");
    }

    static void Fill(vo::TFLinkTest* W, const QString& Port, int Polls, int Timeout_Ms = 0) {
        Child<QComboBox>(W, "CB_Port")->setCurrentText(Port);
        Child<QSpinBox>(W, "SE_Polls")->setValue(Polls);
        if (Timeout_Ms > 0)
            Child<QSpinBox>(W, "SE_Timeout")->setValue(Timeout_Ms);
    }

    QList<vo::Update_Record> Link_Records() const {
        QList<vo::Update_Record> Found;
        for (const vo::Update_Record& R : vo::Read_History(State.Project_Path).Records)
            if (R.Record_Kind == vo::Update_Record::Kind::Link_Test)
                Found.append(R);
        return Found;
    }

    QTemporaryDir Dir;
    vo::Shared_State State;
    Test_Services Services;
    vo::Par_Gen Set = vo::Default_Par_Gen(1);
    std::unique_ptr<vo::TFVorlentFirmWare> Window;
};

TEST_F(Link_Test_Window, A_Run_Shows_Its_Frames_Verdict_And_Is_Kept_And_Saved) {
    vo_test::Pty_Slave Slave(vo::Modbus_Side::RTU, 1);
    const QString Csv = Dir.filePath(QStringLiteral("frames.csv"));
    Show_Link_Test([&](vo::TFLinkTest* W) {
        ASSERT_NE(W, nullptr);
        EXPECT_TRUE(Child<QLabel>(W, "L_Config")->text().contains(QStringLiteral("115200 8N1")));
        EXPECT_FALSE(W->Warning_Label()->isVisibleTo(W)) << "no update yet, nothing to warn of";
        Fill(W, Slave.Path(), 5);
        QSignalSpy Ended(W, &vo::TFLinkTest::Run_Ended);
        Click(W, "Btn_Start");
        ASSERT_TRUE(Ended.wait(10000));
        EXPECT_TRUE(Ended.first().first().toBool());
        EXPECT_EQ(W->Frame_Model()->rowCount(), 10);
        EXPECT_TRUE(W->Verdict_Label()->text().startsWith(QStringLiteral("Link OK: 5 of 5 answers")))
            << W->Verdict_Label()->text().toStdString();
        EXPECT_EQ(W->Frame_Model()->data(W->Frame_Model()->index(1, 4), Qt::DisplayRole).toString(),
                  QStringLiteral("slave 1: = 1, 2, 3, 4, 5, 6, 7, 8, 9, 10"));
        W->Ask_Frames_Path = [&] {
            return Csv;
        };
        Click(W, "Btn_Save");
    });
    EXPECT_EQ(Services.Msgs.Texts(), QStringList());
    const QList<vo::Update_Record> Runs = Link_Records();
    ASSERT_EQ(Runs.size(), 1);
    EXPECT_TRUE(Runs[0].Link.value(QStringLiteral("passed")).toBool());
    EXPECT_EQ(Runs[0].Target, Slave.Path());
    const QStringList Lines =
        QString::fromUtf8(vo_test::Read_All(Csv)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_EQ(Lines.size(), 11);
}

// Stop during a run ends it with what was counted; a port that goes away ends it with its reason;
// the window is ready for the next run either way.
TEST_F(Link_Test_Window, Stop_And_An_Unplugged_Port_End_A_Run_With_Counts_Kept) {
    vo_test::Pty_Slave Silent(vo::Modbus_Side::RTU, 1, false);
    vo_test::Pty_Slave Slave(vo::Modbus_Side::RTU, 1);
    Show_Link_Test([&](vo::TFLinkTest* W) {
        QSignalSpy Ended(W, &vo::TFLinkTest::Run_Ended);
        Fill(W, Silent.Path(), 0, 50);
        Click(W, "Btn_Start");
        QTest::qWait(400);
        EXPECT_TRUE(W->Running());
        Click(W, "Btn_Stop");
        ASSERT_EQ(Ended.size(), 1);
        EXPECT_FALSE(Ended.first().first().toBool());
        // The 50 ms asked for are below the converter's own TimeOut, which is said first.
        const QString Causes = Child<QLabel>(W, "L_Causes")->text();
        EXPECT_TRUE(
            Causes.startsWith(QStringLiteral("The answer time-out is not longer than the converter's own "
                                             "TimeOut of 1000 ms")))
            << Causes.toStdString();
        EXPECT_TRUE(Causes.contains(QStringLiteral("\nNo answer at all"))) << Causes.toStdString();
        EXPECT_TRUE(Child<QWidget>(W, "Btn_Start")->isEnabled());

        Fill(W, Slave.Path(), 0);
        Click(W, "Btn_Start");
        QTest::qWait(300);
        Slave.Unplug();
        ASSERT_TRUE(Ended.wait(5000));
        EXPECT_TRUE(
            Child<QLabel>(W, "L_Causes")->text().contains(QStringLiteral("The port failed during the run")))
            << Child<QLabel>(W, "L_Causes")->text().toStdString();
        EXPECT_GT(W->Frame_Model()->rowCount(), 2) << "the frames before the failure stay";
        EXPECT_TRUE(Child<QWidget>(W, "Btn_Start")->isEnabled());
    });
    const QList<vo::Update_Record> Runs = Link_Records();
    ASSERT_EQ(Runs.size(), 2);
    EXPECT_TRUE(Runs[0].Link.value(QStringLiteral("stopped")).toBool());
    EXPECT_GT(Runs[1].Link.value(QStringLiteral("counts")).toObject().value(QStringLiteral("good")).toInt(),
              0);
    EXPECT_FALSE(Runs[1].Link.value(QStringLiteral("port_error")).toString().isEmpty());
}

// A port another program holds would mix its frames with the test's: refused, nothing recorded.
TEST_F(Link_Test_Window, A_Busy_Port_Is_Refused_With_Its_Holder) {
    Services.Port_Tree.Add_Usb(QStringLiteral("ttyUSB3"),
                               vo_test::Fake_Port_Tree::Adapter("FTDI", "FT232R USB UART", "A50285BI"),
                               QStringLiteral("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
    ASSERT_TRUE(Services.Port_Tree.Line(QStringLiteral("ttyUSB3")).Hold(true));
    const QString Port = Services.Port_Tree.Dev(QStringLiteral("ttyUSB3"));
    Show_Link_Test([&](vo::TFLinkTest* W) {
        auto* Ports = Child<QComboBox>(W, "CB_Port");
        EXPECT_NE(Ports->findText(Port), -1) << "the port list offers it";
        Fill(W, Port, 1);
        Click(W, "Btn_Start");
        EXPECT_FALSE(W->Running());
    });
    ASSERT_EQ(Services.Msgs.Texts().size(), 1);
    EXPECT_TRUE(Services.Msgs.Texts()[0].startsWith(QStringLiteral("Error! The link test did not start: ") +
                                                    Port + QStringLiteral(": busy")))
        << Services.Msgs.Texts()[0].toStdString();
    EXPECT_TRUE(Link_Records().isEmpty());
}

// The device may still hold the settings of its last successful update.
TEST_F(Link_Test_Window, Parameters_Changed_Since_The_Last_Update_Are_Named) {
    const vo::Launch_Capture Capture = vo::Capture_Launch(State.Project_Path);
    vo::Update_Record Record =
        vo::Launch_Record(Capture, {false, QStringLiteral("/dev/ttyUSB0"), {}, QStringLiteral("updater")});
    ASSERT_TRUE(vo::Record_Launch(Capture, Record));
    vo::Run_Result Result;
    Result.Outcome = vo::Run_Result::State::Ended;
    ASSERT_TRUE(vo::Complete_Record(State.Project_Path, Record, Result, 1000, QString()));
    Set.BAUD_RTU = 3;
    ASSERT_TRUE(vo::Save_Par_Gen(Set, State.ParGen_File));
    Show_Link_Test([&](vo::TFLinkTest* W) {
        EXPECT_TRUE(W->Warning_Label()->isVisibleTo(W));
        EXPECT_TRUE(W->Warning_Label()->text().contains(QStringLiteral("115200 → 9600")))
            << W->Warning_Label()->text().toStdString();
    });
}

} // namespace
