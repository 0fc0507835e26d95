#include "Child_Checks.h"
#include "File_Bytes.h"
#include "History_Lines.h"
#include "Qt_Print.h"
#include "Ui_Fixture.h"
#include "history/Commissioning_Info.h"
#include "history/History_File.h"
#include "history/History_Model.h"
#include "history/Record_Words.h"
#include "history/Snapshot.h"
#include "history/TFCommissioning.h"
#include "history/TFHistory.h"
#include "history/Update_History.h"
#include "image/Image_Save.h"
#include "params/Par_Gen_File.h"
#include "shell/Startup.h"
#include "shell/TFVorlentFirmWare.h"
#include "update/Device_Type.h"
#include "update/TFBoot.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUrl>

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

    static void Select(vo::TFHistory* History, int Row) {
        History->Record_List()->setCurrentIndex(
            History->Records()->index(Row, vo::History_Model::Time_Column));
    }

    static QString Cell(const vo::History_Model* Model, int Row, int Column) {
        return Model->data(Model->index(Row, Column), Qt::DisplayRole).toString();
    }

    static QString Shown_Time(const QString& Iso) { return vo::Local_Time_Text(Iso); }

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

TEST_F(History_Window, Lists_In_Words_Details_Compares_Restores_And_Reports) {
    Record_Two();
    const vo::History Read = vo::Read_History(State.Project_Path);
    const QString First = Shown_Time(Read.Records[0].Time);
    const QString Second = Shown_Time(Read.Records[1].Time);
    const QString Report_Folder = Dir.filePath(QStringLiteral("reports"));
    ASSERT_TRUE(QDir().mkpath(Report_Folder));
    QString Offered;
    Services.Msgs.Answers = {true};
    Show_History([&](vo::TFHistory* History) {
        History->Ask_Report_Path = [&](const QString& Default) {
            Offered = Default;
            return Report_Folder + QStringLiteral("/handover");
        };
        vo::History_Model* Model = History->Records();
        QPlainTextEdit* Text = History->Result_Text();
        ASSERT_EQ(Model->rowCount(), 3);
        EXPECT_EQ(Cell(Model, 0, vo::History_Model::Time_Column), QStringLiteral("Current configuration"));
        EXPECT_EQ(Cell(Model, 1, vo::History_Model::Time_Column), Second);
        EXPECT_EQ(Cell(Model, 1, vo::History_Model::Kind_Column), QStringLiteral("Update"));
        EXPECT_EQ(Cell(Model, 1, vo::History_Model::Target_Column), QStringLiteral("/dev/ttyUSB0"));
        EXPECT_EQ(Cell(Model, 1, vo::History_Model::Option_Column),
                  QStringLiteral("Firmware + Configuration, Read Back"));
        EXPECT_EQ(Cell(Model, 1, vo::History_Model::Outcome_Column), QStringLiteral("Success"));
        EXPECT_EQ(Cell(Model, 1, vo::History_Model::Duration_Column), QStringLiteral("1.0 s"));

        // The details follow the selection: what changed since the record before, the checksums.
        Select(History, 1);
        EXPECT_TRUE(Text->toPlainText().startsWith(QStringLiteral("Update ") + Second +
                                                   QStringLiteral("\nSuccess, exit code 0")))
            << Text->toPlainText().toStdString();
        EXPECT_TRUE(Text->toPlainText().endsWith(
            QStringLiteral("Changes since the record before:\n  Modbus RTU - Baudrate: 115200 \u2192 9600")));
        EXPECT_TRUE(
            Text->toPlainText().contains(QStringLiteral("SHA-256: ParGen.xml ") + vo::Sha256_Hex(Saved[1])));
        Select(History, 2);
        EXPECT_FALSE(Text->toPlainText().contains(QStringLiteral("since the record before")));
        Select(History, 0);
        EXPECT_TRUE(Text->toPlainText().endsWith(QStringLiteral("No changes since the record before")));

        // Two ticked records, then one selected record against the current parameters; no Ctrl+click.
        ASSERT_TRUE(Model->setData(Model->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        ASSERT_TRUE(Model->setData(Model->index(2, 0), Qt::Checked, Qt::CheckStateRole));
        Click(History, "Btn_Compare");
        EXPECT_EQ(Text->toPlainText(),
                  QStringLiteral("Update %1 compared with Update %2:\n  Modbus RTU - Baudrate: "
                                 "115200 \u2192 9600")
                      .arg(Second, First));
        ASSERT_TRUE(Model->setData(Model->index(1, 0), Qt::Unchecked, Qt::CheckStateRole));
        Select(History, 2);
        Click(History, "Btn_Compare");
        EXPECT_EQ(
            Text->toPlainText(),
            QStringLiteral("Current configuration compared with Update %1:\n  Modbus RTU - Baudrate: 115200 "
                           "\u2192 9600")
                .arg(First));
        Select(History, 1);
        EXPECT_FALSE(Text->toPlainText().contains(QStringLiteral("compared with")));

        Select(History, 2);
        Click(History, "Btn_Restore");
        EXPECT_EQ(Read_All(State.ParGen_File), Saved[0]);
        // The restore kept the replaced files as a record of its own, on top.
        ASSERT_EQ(Model->rowCount(), 4);
        EXPECT_EQ(Cell(Model, 1, vo::History_Model::Kind_Column), QStringLiteral("Restore"));

        // The report: offered in the configuration's folder, ".pdf" added, opened when ticked.
        Child<QCheckBox>(History, "CB_Open_Report")->setChecked(true);
        Click(History, "Btn_Report");
        EXPECT_EQ(Offered, State.Project_Path + QStringLiteral("/Plant1-") +
                               QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                               QStringLiteral(".pdf"));
        EXPECT_TRUE(Read_All(Report_Folder + QStringLiteral("/handover.pdf")).startsWith("%PDF"));
        // Written, but nothing on this system opens it: said, not left to silence.
        Services.Urls.Opens = false;
        Click(History, "Btn_Report");
    });
    const QString Report_Url =
        QUrl::fromLocalFile(Report_Folder + QStringLiteral("/handover.pdf")).toString();
    EXPECT_EQ(Services.Urls.Opened, (QStringList{Report_Url, Report_Url}));
    ASSERT_EQ(Services.Msgs.Shown.size(), 2);
    EXPECT_EQ(Services.Msgs.Shown[0].Kind, QStringLiteral("confirm"));
    EXPECT_EQ(Services.Msgs.Shown[1].Text,
              QStringLiteral("Error! The report was written but could not be opened: ") + Report_Folder +
                  QStringLiteral("/handover.pdf"));
}

TEST_F(History_Window, Shows_Damaged_Snapshots_And_Bad_Lines_And_Offers_No_Restore_Of_Them) {
    Record_Two();
    const vo::History Read = vo::Read_History(State.Project_Path);
    ASSERT_TRUE(QFile::remove(vo::Snapshot_Folder(State.Project_Path, Read.Records[0].Id) +
                              QStringLiteral("/ParGen.xml")));
    QFile File(vo::History_File_Path(State.Project_Path));
    ASSERT_TRUE(File.open(QIODevice::Append));
    File.write("{\"format\":9}\n");
    File.write(vo_test::Fake_Record_Line(1).replace("/dev/ttyUSB0", "<h1 style='color:red'>DEVICE OK</h1>"));
    File.close();
    Services.Msgs.Answers = {true};
    Show_History([&](vo::TFHistory* History) {
        vo::History_Model* Model = History->Records();
        ASSERT_EQ(Model->rowCount(), 5);
        // A record anyone could have written is shown as its text, tool tip included, never as markup.
        const QModelIndex Target = Model->index(1, vo::History_Model::Target_Column);
        EXPECT_EQ(Model->data(Target, Qt::DisplayRole).toString(),
                  QStringLiteral("<h1 style='color:red'>DEVICE OK</h1>"));
        EXPECT_TRUE(Model->data(Target, Qt::ToolTipRole).toString().contains(QStringLiteral("&lt;h1")));
        EXPECT_TRUE(Cell(Model, 2, vo::History_Model::Outcome_Column).startsWith(QStringLiteral("line 3: ")));
        Select(History, 2);
        EXPECT_FALSE(Child<QPushButton>(History, "Btn_Restore")->isEnabled());
        // A snapshot without its parameters: said in the details, and no question is asked.
        Select(History, 4);
        EXPECT_TRUE(
            History->Result_Text()->toPlainText().contains(QStringLiteral("(missing files ParGen.xml)")));
        EXPECT_FALSE(Child<QPushButton>(History, "Btn_Restore")->isEnabled());
        Select(History, 3);
        EXPECT_TRUE(Child<QPushButton>(History, "Btn_Restore")->isEnabled());
    });
    EXPECT_TRUE(Services.Msgs.Shown.isEmpty());
}

// The commissioning data is edited beside the history and lands in its own file: only the fields
// the user changed are written, a value a hand edit made too long is kept unless changed, and
// Cancel keeps everything.
TEST_F(History_Window, Commissioning_Data_Is_Edited_From_The_History) {
    Record_Two();
    const QString File = State.Project_Path + QStringLiteral("/Commissioning.json");
    const QString Long_Customer(250, u'C');
    const QByteArray Hand_Written = "{\"customer\": \"" + Long_Customer.toUtf8() +
                                    "\", \"site\": \"  Leading blanks\", \"notes\": \"10\u00a0V\\n\", "
                                    "\"from_a_newer_program\": 7}";
    vo_test::Write_All(File, Hand_Written);
    Show_History([&](vo::TFHistory* History) {
        vo::TFCommissioning* Dialog = History->Commissioning_Dialog();
        // OK without an edit leaves the file as it was, byte for byte.
        On_Next_Modal([&](QWidget*) { Click(Dialog, "Btn_OK"); });
        Click(History, "Btn_Commissioning");
        EXPECT_EQ(Read_All(File), Hand_Written);
        On_Next_Modal([&](QWidget*) {
            EXPECT_EQ(Child<QLineEdit>(Dialog, "E_customer")->text(), Long_Customer);
            Child<QLineEdit>(Dialog, "E_technician")->setText(QStringLiteral("  G. Rossi  "));
            Child<QPlainTextEdit>(Dialog, "M_Notes")->setPlainText(QStringLiteral("pump 2\tspare"));
            Click(Dialog, "Btn_OK");
        });
        Click(History, "Btn_Commissioning");
        On_Next_Modal([&](QWidget*) {
            Child<QLineEdit>(Dialog, "E_customer")->setText(QString(201, u'c'));
            Click(Dialog, "Btn_OK");
            EXPECT_TRUE(Dialog->isVisible());
            Child<QLineEdit>(Dialog, "E_site")->setText(QStringLiteral("not kept"));
            Click(Dialog, "Btn_Cancel");
        });
        Click(History, "Btn_Commissioning");
    });
    const vo::Result<vo::Commissioning_Info> Info = vo::Read_Commissioning_Info(State.Project_Path);
    ASSERT_TRUE(Info);
    EXPECT_EQ(Info->Customer, Long_Customer);
    EXPECT_EQ(Info->Site, QStringLiteral("  Leading blanks"));
    EXPECT_EQ(Info->Technician, QStringLiteral("G. Rossi"));
    EXPECT_EQ(Info->Notes, QStringLiteral("pump 2 spare"));
    EXPECT_EQ(Info->Others.value(QStringLiteral("from_a_newer_program")).toInt(), 7);
    ASSERT_EQ(Services.Msgs.Texts().size(), 1);
    EXPECT_EQ(Services.Msgs.Texts()[0],
              QStringLiteral("Error! The commissioning data could not be saved: \"customer\" "
                             "holds more than 200 characters"));
}

// A long history is listed without reading it all, and the keyboard reaches every part: Tab wraps
// back to the list with its chosen row in sight.
TEST_F(History_Window, A_Long_History_Is_Walked_By_Keyboard) {
    Open_Plant();
    ASSERT_TRUE(vo::Save_Par_Gen(vo::Default_Par_Gen(0), State.ParGen_File));
    QByteArray Lines;
    for (int I = 0; I < 3000; ++I)
        Lines += vo_test::Fake_Record_Line(I);
    ASSERT_TRUE(QDir().mkpath(vo::History_Folder(State.Project_Path)));
    vo_test::Write_All(vo::History_File_Path(State.Project_Path), Lines);
    Show_History([&](vo::TFHistory* History) {
        QTreeView* List = History->Record_List();
        ASSERT_EQ(History->Records()->rowCount(), 3001);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(History));
        QApplication::setActiveWindow(History);
        List->setFocus();
        EXPECT_EQ(List->currentIndex().row(), 0);
        List->verticalScrollBar()->setValue(List->verticalScrollBar()->maximum());
        QList<QWidget*> Visited;
        QTest::keyClick(List, Qt::Key_Tab);
        for (int Step = 0; Step < 10 && !List->hasFocus(); ++Step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            Visited.append(QApplication::focusWidget());
        }
        EXPECT_TRUE(Visited.contains(Child<QPushButton>(History, "Btn_Commissioning")));
        EXPECT_TRUE(List->hasFocus());
        EXPECT_EQ(List->verticalScrollBar()->value(), 0);
        // Space ticks the current record for the comparison.
        QTest::keyClick(List, Qt::Key_Down);
        QTest::keyClick(List, Qt::Key_Space);
        EXPECT_EQ(History->Records()->Ticked(), QList<qsizetype>{2999});
    });
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
