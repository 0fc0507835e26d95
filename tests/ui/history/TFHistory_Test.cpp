#include "Child_Checks.h"
#include "File_Bytes.h"
#include "Qt_Print.h"
#include "Ui_Fixture.h"
#include "history/History_File.h"
#include "history/TFHistory.h"
#include "history/Update_History.h"
#include "image/Image_Save.h"
#include "params/Par_Gen_File.h"
#include "shell/Startup.h"
#include "shell/TFVorlentFirmWare.h"
#include "update/Device_Type.h"
#include "update/TFBoot.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace vo::test;
using vo_test::Read_All;

namespace {

// The main window over a configuration "Plant1" with two recorded updates: the first with the
// defaults, the second after the Modbus RTU baud rate was set to 9600.
class History_Window : public testing::Test {
protected:
    void SetUp() override {
        vo::Start_Up(State, Dir.path());
        ASSERT_TRUE(QDir(State.Projects_Dir).mkpath(QStringLiteral("Plant1/bin")));
        Window = std::make_unique<vo::TFVorlentFirmWare>(State, Services.Svc);
        Window->show();
    }

    void Open_Plant() {
        State.Project_Name = QStringLiteral("Plant1");
        State.Project_Path = State.Projects_Dir + QStringLiteral("/Plant1");
        vo::Set_Files(State);
    }

    // An update of the current files whose updater ended with Exit_Code.
    void Record(vo::Par_Gen Set, int Exit_Code) {
        ASSERT_TRUE(vo::Save_Par_Gen(Set, State.ParGen_File));
        const vo::Launch_Capture Capture = vo::Capture_Launch(State.Project_Path);
        vo::Run_Result Result;
        Result.Outcome = vo::Run_Result::State::Ended;
        Result.Exit_Code = Exit_Code;
        vo::Update_Record Record = vo::Launch_Record(
            Capture, {false, QStringLiteral("/dev/ttyUSB0"), {}, QStringLiteral("updater")});
        ASSERT_TRUE(vo::Record_Launch(Capture, Record));
        ASSERT_TRUE(vo::Complete_Record(State.Project_Path, Record, Result, 1000, QString()));
        Saved.append(Read_All(State.ParGen_File));
    }

    void Record_Two() {
        Open_Plant();
        vo::Par_Gen Set = vo::Default_Par_Gen(0);
        Record(Set, 0);
        Set.BAUD_RTU = 3;
        Record(Set, 0);
    }

    // Shows the history window and runs Action on it.
    void Show_History(std::function<void(vo::TFHistory*)> Action) {
        On_Next_Modal([&](QWidget*) { Action(Window->History_Window()); });
        Click(Window.get(), "Btn_History");
    }

    static void Select(QTreeWidget* List, std::initializer_list<int> Rows) {
        List->clearSelection();
        for (int Row : Rows)
            List->topLevelItem(Row)->setSelected(true);
    }

    QTemporaryDir Dir;
    vo::Shared_State State;
    Test_Services Services;
    std::unique_ptr<vo::TFVorlentFirmWare> Window;
    QList<QByteArray> Saved;
};

TEST_F(History_Window, Button_Sits_Beside_The_Update_Step_And_Needs_A_Configuration) {
    auto* Button = Child<QPushButton>(Window.get(), "Btn_History");
    EXPECT_EQ(Button->geometry(), QRect(258, 200, 170, 36));
    EXPECT_EQ(Button->text(), QStringLiteral("Update History"));
    EXPECT_EQ(Child<QPushButton>(Window.get(), "Btn_CreateBin")->geometry(), QRect(80, 200, 170, 36));
    EXPECT_EQ(Window->size(), QSize(694, 352));
    Click(Window.get(), "Btn_History");
    EXPECT_EQ(Services.Msgs.Texts(), QStringList{QStringLiteral("Error! Project not Valid")});
}

TEST_F(History_Window, Lists_Compares_Restores_And_Reports) {
    Record_Two();
    const QString Pdf = Dir.filePath(QStringLiteral("report.pdf"));
    Services.Msgs.Answers = {true};
    Show_History([&](vo::TFHistory* History) {
        History->Ask_Report_Path = [&] {
            return Pdf;
        };
        QTreeWidget* List = History->Record_List();
        ASSERT_EQ(List->topLevelItemCount(), 3);
        EXPECT_EQ(List->topLevelItem(0)->text(0), QStringLiteral("Current configuration"));
        EXPECT_EQ(List->topLevelItem(1)->text(3), QStringLiteral("Ended with code 0"));

        Select(List, {1, 2});
        Click(History, "Btn_Compare");
        EXPECT_EQ(History->Result_Text()->toPlainText(),
                  QStringLiteral("Modbus RTU - Baudrate: 115200 \u2192 9600"));
        Select(List, {0, 1});
        Click(History, "Btn_Compare");
        EXPECT_EQ(History->Result_Text()->toPlainText(), QStringLiteral("The two are equal"));

        Select(List, {2});
        Click(History, "Btn_Restore");
        EXPECT_EQ(Read_All(State.ParGen_File), Saved[0]);
        // The restore kept the replaced files as a record of its own, on top.
        ASSERT_EQ(List->topLevelItemCount(), 4);
        EXPECT_TRUE(List->topLevelItem(1)->text(3).startsWith(QStringLiteral("Restore of ")));

        Click(History, "Btn_Report");
        EXPECT_TRUE(Read_All(Pdf).startsWith("%PDF"));
    });
    EXPECT_EQ(Services.Msgs.Shown.size(), 1);
    EXPECT_EQ(Services.Msgs.Shown[0].Kind, QStringLiteral("confirm"));
}

TEST_F(History_Window, Shows_Damaged_Snapshots_And_Bad_Lines_And_Refuses_Their_Restore) {
    Record_Two();
    const vo::History Read = vo::Read_History(State.Project_Path);
    ASSERT_TRUE(QFile::remove(vo::Snapshot_Folder(State.Project_Path, Read.Records[0].Id) +
                              QStringLiteral("/ParGen.xml")));
    QFile File(vo::History_File_Path(State.Project_Path));
    ASSERT_TRUE(File.open(QIODevice::Append));
    File.write("{\"format\":9}\n");
    File.close();
    Services.Msgs.Answers = {true};
    Show_History([&](vo::TFHistory* History) {
        QTreeWidget* List = History->Record_List();
        EXPECT_TRUE(List->topLevelItem(2)->text(3).endsWith(QStringLiteral("[missing files ParGen.xml]")));
        EXPECT_TRUE(
            History->Result_Text()->toPlainText().contains(QStringLiteral("3: written by a newer version")));
        const QByteArray Before = Read_All(State.ParGen_File);
        Select(List, {2});
        Click(History, "Btn_Restore");
        EXPECT_EQ(Read_All(State.ParGen_File), Before);
    });
    ASSERT_EQ(Services.Msgs.Shown.size(), 2);
    EXPECT_TRUE(Services.Msgs.Shown[1].Text.startsWith(QStringLiteral("Error! The restore failed: ")));
}

TEST_F(History_Window, Update_Dialog_Tells_What_Changes_Since_The_Last_Successful_Update) {
    Open_Plant();
    vo::TFBoot* Boot = Window->Update_Dialog();
    const auto Summary = [&] {
        QString Text;
        Boot->Form_Type = vo::Form_Serial;
        On_Next_Modal([&](QWidget*) { Text = Child<QLabel>(Boot, "L_Changes")->text(); });
        Boot->exec();
        return Text;
    };
    EXPECT_EQ(Summary(), QStringLiteral("No successful update of this configuration yet"));
    vo::Par_Gen Set = vo::Default_Par_Gen(0);
    Record(Set, 0);
    EXPECT_EQ(Summary(), QStringLiteral("No changes since the last successful update"));
    Set.PAR_ASCII = 2;
    Record(Set, 1);
    EXPECT_EQ(Summary(),
              QStringLiteral(
                  "Changes since the last successful update:\n  Modbus ASCII - Parity: NONE \u2192 EVEN"));
}

// An update from the dialog is recorded like one from the command line, and the summary follows.
TEST_F(History_Window, Update_From_The_Dialog_Is_Recorded) {
    Open_Plant();
    ASSERT_TRUE(vo::Save_Par_Gen(vo::Default_Par_Gen(0), State.ParGen_File));
    ASSERT_TRUE(vo::Build_And_Save_Images(State));
    vo_test::Write_All(State.Master_Dir + QStringLiteral("/sim40913.sim"), "serial firmware");
    ASSERT_TRUE(vo_test::Write_Script(Dir.filePath(QStringLiteral("Ser_40913_Update")), "exit 0\n"));
    Services.Port_Tree.Add_Usb(QStringLiteral("ttyUSB0"),
                               vo_test::Fake_Port_Tree::Adapter("FTDI", "FT232R", "A1"), {});
    vo::TFBoot* Boot = Window->Update_Dialog();
    Boot->Form_Type = vo::Form_Serial;
    On_Next_Modal([&](QWidget*) {
        Click(Boot, "Btn_Update");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Boot->Updater_Running(); }, 20000));
        EXPECT_EQ(Child<QLabel>(Boot, "L_Changes")->text(),
                  QStringLiteral("No changes since the last successful update"));
    });
    Boot->exec();
    const vo::History Read = vo::Read_History(State.Project_Path);
    ASSERT_EQ(Read.Records.size(), 1);
    EXPECT_TRUE(Read.Records[0].Succeeded());
    EXPECT_EQ(Read.Records[0].Sums.ParGen, vo::Sha256_Hex(Read_All(State.ParGen_File)));
    EXPECT_TRUE(Services.Msgs.Shown.isEmpty());
}

} // namespace
