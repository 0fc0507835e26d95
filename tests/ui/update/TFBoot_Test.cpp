#include "Child_Checks.h"
#include "File_Bytes.h"
#include "Qt_Print.h"
#include "Ui_Fixture.h"
#include "history/History_File.h"
#include "history/Update_History.h"
#include "image/Image_Save.h"
#include "lang/String_Table.h"
#include "params/Par_Gen_File.h"
#include "platform/linux/Echo_Probe_Linux.h"
#include "shell/Startup.h"
#include "shell/TFVorlentFirmWare.h"
#include "update/Address_Check.h"
#include "update/Device_Type.h"
#include "update/TFBoot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <iostream>
#include <memory>

using vo_test::Read_All;
using namespace std::chrono_literals;

using namespace vo::test;

namespace {

class Update_Dialog : public testing::Test {
protected:
    void SetUp() override {
        vo::Start_Up(State, Dir.path());
        QDir(State.Projects_Dir).mkpath(QStringLiteral("Plant1/bin"));
        State.Project_Name = QStringLiteral("Plant1");
        State.Project_Path = State.Projects_Dir + QStringLiteral("/Plant1");
        vo::Set_Files(State);
        // What an update needs: saved parameters, their images, the two firmware files.
        ASSERT_TRUE(vo::Save_Par_Gen(vo::Default_Par_Gen(0), State.ParGen_File));
        ASSERT_TRUE(vo::Build_And_Save_Images(State));
        vo_test::Write_All(State.Master_Dir + QStringLiteral("/sim40913.sim"), "serial firmware");
        vo_test::Write_All(State.Master_Dir + QStringLiteral("/Sim40913K.sim"), "Ethernet firmware");
        Dialog = std::make_unique<vo::TFBoot>(State, Services.Svc, nullptr);
    }

    // An updater beside the executable that records each start and its arguments, one per line,
    // then runs Body.
    void Add_Updater(const char* Name, const QByteArray& Body = "exit 0\n") {
        ASSERT_TRUE(vo_test::Write_Script(Dir.filePath(QString::fromUtf8(Name)),
                                          "D=$(dirname \"$0\")\necho run >> \"$D/runs.txt\"\n"
                                          "printf '%s\\n' \"$@\" > \"$D/args.txt\"\n" +
                                              Body));
    }

    // Lets an updater that runs Until_Released end.
    void Release() { vo_test::Write_All(Dir.filePath(QStringLiteral("release")), {}); }
    static constexpr char Until_Released[] = "while [ ! -e \"$D/release\" ]; do sleep 0.01; done\n";

    // The address check and the updater, both run without holding up the window, have ended.
    bool Wait_For_End() {
        return QTest::qWaitFor(
            [this] { return !Dialog->Updater_Running() && Get<QPushButton>("Btn_Update")->isEnabled(); },
            20000);
    }

    // A USB adapter plugged in, and the list made again.
    void Offer_Port() {
        if (!QFileInfo(Port_Path()).isSymLink())
            Services.Port_Tree.Add_Usb(
                QStringLiteral("ttyUSB7"),
                vo_test::Fake_Port_Tree::Adapter("FTDI", "FT232R USB UART", "A50285BI"),
                QStringLiteral("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
        Click(Dialog.get(), "Btn_COM_List");
    }
    QString Port_Path() const { return Services.Port_Tree.Dev(QStringLiteral("ttyUSB7")); }

    QString Update_State() { return Get<QLabel>("L_Update_State")->text(); }

    QStringList Shown_Of(const char* Kind) {
        QStringList Texts;
        for (const auto& Entry : Services.Msgs.Shown) {
            if (Entry.Kind == QLatin1String(Kind))
                Texts.append(Entry.Text);
        }
        return Texts;
    }

    int Runs() const {
        return static_cast<int>(Read_All(Dir.filePath(QStringLiteral("runs.txt"))).count('\n'));
    }

    int Show(vo::Update_Mode Form_Type, std::function<void()> Action) {
        Dialog->Form_Type = Form_Type;
        On_Next_Modal([&](QWidget*) { Action(); });
        return Dialog->exec();
    }

    template <typename T> T* Get(const char* Name) { return Child<T>(Dialog.get(), Name); }

    void Type_Address(const QString& Text) {
        auto* First = Get<QLineEdit>("E_IP1");
        for (const char* Name : {"E_IP1", "E_IP2", "E_IP3", "E_IP4"})
            Get<QLineEdit>(Name)->clear();
        First->setFocus();
        // The keys go to whichever field holds the focus, as they do when the user types.
        for (const QChar C : Text)
            QTest::keyClick(Dialog->focusWidget(), C.toLatin1());
    }

    QStringList Address_Fields() {
        QStringList Parts;
        for (const char* Name : {"E_IP1", "E_IP2", "E_IP3", "E_IP4"})
            Parts.append(Get<QLineEdit>(Name)->text());
        return Parts;
    }

    QTemporaryDir Dir;
    vo::Shared_State State;
    Test_Services Services;
    std::unique_ptr<vo::TFBoot> Dialog;
};

} // namespace

TEST_F(Update_Dialog, Each_Mode_Shows_Its_Panels_And_Size) {
    Show(vo::Form_Serial, [&] {
        // The mode panels, options and buttons keep their size; the port's details, the change
        // summary and the result come between the options and the buttons, which stay at the bottom.
        EXPECT_EQ(Get<QWidget>("P_Port_Details")->y(), 192);
        EXPECT_EQ(Dialog->size(), QSize(449, 298 + Get<QWidget>("P_Changes")->height()));
        EXPECT_EQ(Get<QWidget>("P_Changes")->y(), 214);
        EXPECT_EQ(Get<QWidget>("P_Result")->y(), 214 + Get<QWidget>("P_Changes")->height());
        EXPECT_EQ(Get<QWidget>("P_Button")->y(), Dialog->height() - 40);
        EXPECT_EQ(Dialog->windowTitle(), QStringLiteral("Update Device by Serial"));
        EXPECT_TRUE(Get<QWidget>("P_Serial")->isVisible());
        EXPECT_FALSE(Get<QWidget>("P_IP_Address")->isVisible());
        EXPECT_FALSE(Get<QWidget>("P_Eth_Search")->isVisible());
        EXPECT_LT(Get<QWidget>("P_Serial")->y(), Get<QWidget>("P_Options")->y());
        EXPECT_LT(Get<QWidget>("P_Options")->y(), Get<QWidget>("P_Button")->y());
    });
    Show(vo::Form_Ethernet, [&] {
        EXPECT_EQ(Dialog->size(), QSize(449, 274 + Get<QWidget>("P_Changes")->height()));
        EXPECT_EQ(Get<QWidget>("P_Changes")->y(), 190);
        EXPECT_EQ(Get<QWidget>("P_Button")->y(), Dialog->height() - 40);
        EXPECT_EQ(Dialog->windowTitle(), QStringLiteral("Update Device by Ethernet (UDP)"));
        EXPECT_TRUE(Get<QWidget>("P_IP_Address")->isVisible());
        EXPECT_FALSE(Get<QWidget>("P_Serial")->isVisible());
        EXPECT_LT(Get<QWidget>("P_IP_Address")->y(), Get<QWidget>("P_Options")->y());
        EXPECT_EQ(Get<QComboBox>("CB_Update_Options")->itemText(2), QStringLiteral("Configuration"));
    });
}

TEST_F(Update_Dialog, The_Remembered_Address_Fills_The_Fields_Only_When_It_Is_Valid) {
    State.Last_IP_Address = QStringLiteral(" 10. 0 .0.7 ");
    Show(vo::Form_Ethernet, [&] { EXPECT_EQ(Address_Fields(), (QStringList{"10", "0", "0", "7"})); });
    for (const char* Invalid : {"10.0.0", "10.0.0.999", ""}) {
        State.Last_IP_Address = QString::fromUtf8(Invalid);
        Show(vo::Form_Ethernet, [&] {
            EXPECT_EQ(Address_Fields(), (QStringList{"10", "0", "0", "7"})) << Invalid;
        });
    }
}

TEST_F(Update_Dialog, Full_Stops_Move_On_And_Are_Never_Typed) {
    Show(vo::Form_Ethernet, [&] {
        Type_Address(QStringLiteral("192.168.1.50.9"));
        EXPECT_EQ(Address_Fields(), (QStringList{"192", "168", "1", "509"}));
    });
}

TEST_F(Update_Dialog, Ethernet_Update_Launches_Exactly_The_Checked_Address) {
    // Only a machine that cannot send echo requests at all excuses the test; once it runs, every
    // message is a fault.
    const vo::Ping_Check Loopback = vo::Send_Ping(*Services.Echo, QStringLiteral("127.0.0.1"), {});
    if (vo::Ping_Message(Loopback) == vo::Msg_Check_Failed)
        GTEST_SKIP() << "echo requests cannot be sent here: " << Loopback.Error_Text.toStdString();
    Add_Updater("Ethernet_Update");
    State.Read_Back_Enabled = true;
    bool Stayed_Open = false;
    bool Locked_During_Check = false;
    Show(vo::Form_Ethernet, [&] {
        Type_Address(QStringLiteral("127.0.0.1"));
        Get<QComboBox>("CB_Update_Options")->setCurrentIndex(2);
        Get<QCheckBox>("CB_Update_Option_Read_Back")->setChecked(false);
        // While the check runs: a second click, the user typing into the address fields and the
        // fields changed underneath; none of it may reach the launch.
        QTimer::singleShot(0, [&] {
            Locked_During_Check = !Get<QLineEdit>("E_IP1")->isEnabled() &&
                                  !Get<QComboBox>("CB_Update_Options")->isEnabled() &&
                                  !Get<QPushButton>("Btn_Update")->isEnabled();
            Get<QPushButton>("Btn_Update")->click();
            QTest::keyClicks(Get<QLineEdit>("E_IP4"), QStringLiteral("9"));
            const char* Edited[] = {"10", "0", "0", "99"};
            for (int Part = 0; Part < 4; ++Part)
                Get<QLineEdit>(("E_IP" + std::to_string(Part + 1)).c_str())
                    ->setText(QLatin1String(Edited[Part]));
        });
        Get<QPushButton>("Btn_Update")->click();
        ASSERT_TRUE(Wait_For_End());
        Stayed_Open = Dialog->isVisible();
    });
    EXPECT_TRUE(Services.Msgs.Shown.isEmpty()) << Services.Msgs.Texts().join(u'|').toStdString();
    EXPECT_TRUE(Locked_During_Check);
    EXPECT_TRUE(Stayed_Open);
    EXPECT_EQ(Runs(), 1);
    // No arguments: printf then writes one empty line.
    EXPECT_EQ(Read_All(Dir.filePath(QStringLiteral("args.txt"))), QByteArray("\n"));
    const QByteArray Job = Read_All(Dir.filePath(QStringLiteral("Ethernet_Update.xml")));
    EXPECT_TRUE(Job.contains("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>")) << Job.toStdString();
    EXPECT_TRUE(Job.contains("bin/bankK.bin"));
    EXPECT_EQ(State.Last_IP_Address, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(State.Update_Option_Index, 2);
    EXPECT_FALSE(State.Read_Back_Enabled);
}

TEST_F(Update_Dialog, A_Check_That_Cannot_Send_Says_Why) {
    Add_Updater("Ethernet_Update");
    vo::Linux_Echo_Probe No_Way({.Datagram = false, .Raw = false, .Ping_Program = false});
    const vo::Services Svc{Services.Msgs,   Services.Urls,    Services.Http,       No_Way,
                           *Services.Ports, *Services.Runner, Services.Svc.Version};
    Dialog = std::make_unique<vo::TFBoot>(State, Svc, nullptr);
    Show(vo::Form_Ethernet, [&] {
        Type_Address(QStringLiteral("127.0.0.1"));
        Get<QPushButton>("Btn_Update")->click();
        ASSERT_TRUE(Wait_For_End());
    });
    ASSERT_EQ(Services.Msgs.Shown.size(), 1);
    EXPECT_EQ(Services.Msgs.Shown[0].Kind, QStringLiteral("error"));
    EXPECT_EQ(Services.Msgs.Shown[0].Text,
              QStringLiteral("Error! The address of the device could not be checked: "
                             "Cannot send echo requests: no way of sending them is allowed"));
    EXPECT_EQ(Runs(), 0);
    EXPECT_FALSE(QFile::exists(Dir.filePath(QStringLiteral("Ethernet_Update.xml"))));
    Dialog.reset();
}

TEST_F(Update_Dialog, An_Unusable_Address_Stores_And_Starts_Nothing) {
    Add_Updater("Ethernet_Update");
    State.Last_IP_Address = QStringLiteral("10.0.0.7");
    Show(vo::Form_Ethernet, [&] {
        Type_Address(QStringLiteral("192.168.1.x"));
        Get<QComboBox>("CB_Update_Options")->setCurrentIndex(1);
        Get<QPushButton>("Btn_Update")->click();
        ASSERT_TRUE(Wait_For_End());
    });
    ASSERT_EQ(Services.Msgs.Shown.size(), 1);
    EXPECT_EQ(Services.Msgs.Shown[0].Kind, QStringLiteral("error"));
    EXPECT_EQ(Services.Msgs.Shown[0].Text, QStringLiteral("Error!!! Check the Ip Address"));
    EXPECT_EQ(Runs(), 0);
    EXPECT_FALSE(QFile::exists(Dir.filePath(QStringLiteral("Ethernet_Update.xml"))));
    EXPECT_EQ(State.Last_IP_Address, QStringLiteral("10.0.0.7"));
    EXPECT_EQ(State.Update_Option_Index, 0);
}

TEST_F(Update_Dialog, Clicks_And_Enter_While_The_Updater_Runs_Start_Nothing_More) {
    Add_Updater("Ser_40913_Update", QByteArray(Until_Released) + "exit 0\n");
    bool Stayed_Open = false;
    Show(vo::Form_Serial, [&] {
        Offer_Port();
        Get<QComboBox>("CB_Update_Options")->setCurrentIndex(1);
        Get<QCheckBox>("CB_Update_Option_Read_Back")->setChecked(true);
        auto* Update = Get<QPushButton>("Btn_Update");
        // A click already queued when the first one starts the updater.
        QTimer::singleShot(0, [&] { QTest::mouseClick(Update, Qt::LeftButton); });
        QTest::mouseClick(Update, Qt::LeftButton);
        QApplication::processEvents();
        for (int Press = 0; Press < 3; ++Press) {
            QTest::mouseClick(Update, Qt::LeftButton);
            QTest::keyClick(Dialog->focusWidget() ? Dialog->focusWidget() : Dialog.get(), Qt::Key_Return);
            QTest::keyClick(Update, Qt::Key_Return);
        }
        QApplication::processEvents();
        EXPECT_TRUE(Dialog->Updater_Running());
        for (const char* Input :
             {"CB_COM_Port", "Btn_COM_List", "CB_Update_Options", "CB_Update_Option_Read_Back", "Btn_Update"})
            EXPECT_FALSE(Get<QWidget>(Input)->isEnabled()) << Input;
        EXPECT_TRUE(Update_State().contains(QStringLiteral("\"Ser_40913_Update\" is running")))
            << Update_State().toStdString();
        Release();
        ASSERT_TRUE(Wait_For_End());
        EXPECT_TRUE(Update->isEnabled());
        Stayed_Open = Dialog->isVisible();
    });
    EXPECT_TRUE(Stayed_Open);
    EXPECT_TRUE(Services.Msgs.Shown.isEmpty()) << Services.Msgs.Texts().join(u'|').toStdString();
    EXPECT_EQ(Runs(), 1);
    EXPECT_EQ(Update_State(), QStringLiteral("The updater \"Ser_40913_Update\" ended successfully"));
    const QStringList Args =
        QString::fromUtf8(Read_All(Dir.filePath(QStringLiteral("args.txt")))).split(u'\n');
    ASSERT_GE(Args.size(), 7);
    EXPECT_EQ(Args[0], Port_Path());
    EXPECT_EQ(Args.mid(1, 4), (QStringList{"FW", "FR", "NO", "NO"}));
    EXPECT_EQ(Args[5], State.Master_Dir + QStringLiteral("/sim40913.sim"));
    EXPECT_EQ(Args[6], State.Project_Path + QStringLiteral("/bin/"));
    EXPECT_EQ(State.Update_Option_Index, 1);
}

// The one test that takes real time: the window must go on while a two-second updater runs.
TEST_F(Update_Dialog, Three_Clicks_During_A_Two_Second_Update_Make_One_Run_And_The_Window_Keeps_Going) {
    Add_Updater("Ser_40913_Update", "sleep 2\n");
    int Ticks = 0;
    qint64 Run_Ms = 0;
    Show(vo::Form_Serial, [&] {
        Offer_Port();
        auto* Update = Get<QPushButton>("Btn_Update");
        QTimer Ticker;
        Ticker.setInterval(50);
        QObject::connect(&Ticker, &QTimer::timeout, &Ticker,
                         [&] { Ticks += Dialog->Updater_Running() ? 1 : 0; });
        Ticker.start();
        QElapsedTimer Clock;
        Clock.start();
        QTest::mouseClick(Update, Qt::LeftButton);
        QTimer::singleShot(500, [&] { QTest::mouseClick(Update, Qt::LeftButton); });
        QTimer::singleShot(1000, [&] { QTest::mouseClick(Update, Qt::LeftButton); });
        QTimer::singleShot(1500, [&] { QTest::mouseClick(Update, Qt::LeftButton); });
        ASSERT_TRUE(Wait_For_End());
        Run_Ms = Clock.elapsed();
    });
    std::cout << "[ figure   ] " << Ticks << " ticks of a 50 ms timer during a " << Run_Ms << " ms update ("
              << Runs() << " run)" << std::endl;
    EXPECT_EQ(Runs(), 1);
    // A window held up by the wait would see one tick at most, after the end.
    EXPECT_GE(Ticks, 10);
}

TEST_F(Update_Dialog, Every_End_Of_The_Updater_Is_Reported) {
    const struct {
        QByteArray Body;
        const char* Error; // nullptr: no box, success in the dialog
    } Cases[] = {
        {"exit 0\n", nullptr},
        {"exit 3\n", "Error! The updater \"%1\" ended with code 3"},
        {"kill -TERM $$\n", "Error! The updater \"%1\" was ended by signal 15"},
    };
    const QString Path = Dir.filePath(QStringLiteral("Ser_40913_Update"));
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Body.toStdString());
        Services.Msgs.Shown.clear();
        Add_Updater("Ser_40913_Update", Case.Body);
        Show(vo::Form_Serial, [&] {
            Offer_Port();
            Get<QPushButton>("Btn_Update")->click();
            ASSERT_TRUE(Wait_For_End());
            // The next step on site is offered only after a success.
            EXPECT_EQ(Get<QPushButton>("Btn_Link_Test")->isVisible(), Case.Error == nullptr);
        });
        if (!Case.Error) {
            EXPECT_TRUE(Services.Msgs.Shown.isEmpty()) << Services.Msgs.Texts().join(u'|').toStdString();
            EXPECT_EQ(Update_State(), QStringLiteral("The updater \"Ser_40913_Update\" ended successfully"));
            continue;
        }
        ASSERT_EQ(Services.Msgs.Shown.size(), 1);
        EXPECT_EQ(Services.Msgs.Shown[0].Kind, QStringLiteral("error"));
        EXPECT_EQ(Services.Msgs.Shown[0].Text, QString::fromUtf8(Case.Error).arg(Path));
        EXPECT_EQ(Update_State(), QString::fromUtf8(Case.Error).arg(QStringLiteral("Ser_40913_Update")));
    }
}

TEST_F(Update_Dialog, No_Port_Starts_Nothing_And_Says_So) {
    Add_Updater("Ser_40913_Update");
    Show(vo::Form_Serial, [&] {
        Get<QComboBox>("CB_COM_Port")->clear();
        Get<QPushButton>("Btn_Update")->click();
    });
    EXPECT_EQ(
        Shown_Of("error"),
        QStringList{QStringLiteral("Error! No serial port is chosen: the updater \"%1\" was not started")
                        .arg(Dir.filePath(QStringLiteral("Ser_40913_Update")))});
    EXPECT_EQ(Runs(), 0);
}

TEST_F(Update_Dialog, Closing_While_The_Updater_Runs_Waits_For_Its_End) {
    Add_Updater("Ser_40913_Update", QByteArray(Until_Released) + "exit 0\n");
    bool Open_After_Closing = false;
    QString Said_While_Running;
    const int Result = Show(vo::Form_Serial, [&] {
        Offer_Port();
        Get<QPushButton>("Btn_Update")->click();
        Click(Dialog.get(), "Btn_Cancel");
        Dialog->close();
        QTest::keyClick(Dialog.get(), Qt::Key_Escape);
        Open_After_Closing = Dialog->isVisible();
        Said_While_Running = Update_State();
        Release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Dialog->isVisible(); }, 20000));
    });
    EXPECT_EQ(Result, vo::Modal_Cancel);
    EXPECT_TRUE(Open_After_Closing);
    // No box that could outlive the updater: the result area says it.
    EXPECT_EQ(
        Said_While_Running,
        QStringLiteral("The updater \"Ser_40913_Update\" is still running: this window closes when it ends"));
    EXPECT_TRUE(Services.Msgs.Shown.isEmpty()) << Services.Msgs.Texts().join(u'|').toStdString();
    EXPECT_EQ(Runs(), 1);
    EXPECT_FALSE(Dialog->Updater_Running());
}

TEST_F(Update_Dialog, At_The_Limit_The_User_Waits_Further_Or_Leaves_It_Running) {
    Add_Updater("Ser_40913_Update", QByteArray(Until_Released) + "exit 3\n");
    Dialog->Wait_Limit_Ms = 150ms;
    Services.Msgs.Answers = {true, false};
    bool Kept_Off = false;
    Show(vo::Form_Serial, [&] {
        Offer_Port();
        Get<QPushButton>("Btn_Update")->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Shown_Of("confirm").size() == 2; }, 20000));
        Kept_Off = Dialog->Updater_Running() && !Get<QPushButton>("Btn_Update")->isEnabled();
        EXPECT_EQ(
            Update_State(),
            QStringLiteral("The updater \"Ser_40913_Update\" is still running: the next update can start "
                           "when it ends"));
        // Left running: closing no longer waits.
        Click(Dialog.get(), "Btn_Cancel");
    });
    EXPECT_TRUE(Kept_Off);
    for (const QString& Question : Shown_Of("confirm"))
        EXPECT_TRUE(Question.startsWith(QStringLiteral("The updater \"%1\" is still running after ")
                                            .arg(Dir.filePath(QStringLiteral("Ser_40913_Update")))))
            << Question.toStdString();
    EXPECT_EQ(Services.Msgs.Shown.size(), 2) << Services.Msgs.Texts().join(u'|').toStdString();
    EXPECT_TRUE(Dialog->Updater_Running());
    Release();
    ASSERT_TRUE(Wait_For_End());
    // It was never stopped, and its end is shown but no longer brings up a box.
    EXPECT_EQ(Update_State(), QStringLiteral("Error! The updater \"Ser_40913_Update\" ended with code 3"));
    EXPECT_EQ(Services.Msgs.Shown.size(), 2);
    EXPECT_EQ(Runs(), 1);
}

TEST_F(Update_Dialog, A_Missing_Updater_Is_Named_In_An_Error) {
    Show(vo::Form_Serial, [&] {
        Offer_Port();
        Get<QPushButton>("Btn_Update")->click();
    });
    ASSERT_EQ(Services.Msgs.Shown.size(), 1);
    EXPECT_EQ(Services.Msgs.Shown[0].Kind, QStringLiteral("error"));
    EXPECT_TRUE(
        Services.Msgs.Shown[0].Text.startsWith(QStringLiteral("Error! The updater could not be started: ")));
    EXPECT_TRUE(Services.Msgs.Shown[0].Text.contains(QStringLiteral("Ser_40913_Update")))
        << Services.Msgs.Shown[0].Text.toStdString();
}

TEST_F(Update_Dialog, The_Main_Window_Writes_The_Images_Before_The_Dialog_Or_Stops_On_A_Build_Error) {
    vo::TFVorlentFirmWare Window(State, Services.Svc);
    ASSERT_TRUE(vo::Save_Par_Gen(vo::Missing_File_Par_Gen(), State.ParGen_File));
    On_Next_Modal([](QWidget* Shown) {
        EXPECT_EQ(Shown->objectName(), QStringLiteral("TFBoot"));
        EXPECT_EQ(Shown->size(), QSize(449, 274 + Child<QWidget>(Shown, "P_Changes")->height()));
        Click(Shown, "Btn_Cancel");
    });
    Click(&Window, "Btn_CreateBin");
    EXPECT_EQ(Read_All(State.Project_Path + QStringLiteral("/bin/bankK.bin")).size(), 2048);

    QFile File(State.ParGen_File);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write("<Par_Gen><MODE_DEV>x</MODE_DEV></Par_Gen>");
    File.close();
    Click(&Window, "Btn_CreateBin");
    ASSERT_EQ(Services.Msgs.Shown.size(), 1);
    EXPECT_EQ(Services.Msgs.Shown[0].Kind, QStringLiteral("error"));
    EXPECT_TRUE(Services.Msgs.Shown[0].Text.contains(QStringLiteral("MODE_DEV")));
}

TEST_F(Update_Dialog, The_Main_Window_Starts_No_Update_While_One_Left_Running_Goes_On) {
    vo::TFVorlentFirmWare Window(State, Services.Svc);
    vo::Par_Gen Serial = vo::Missing_File_Par_Gen();
    Serial.Device_Type_Type = 0;
    ASSERT_TRUE(vo::Save_Par_Gen(Serial, State.ParGen_File));
    vo::TFBoot* Boot = Window.Update_Dialog();
    Boot->Wait_Limit_Ms = 100ms;
    Services.Msgs.Answers = {false};
    Add_Updater("Ser_40913_Update", QByteArray(Until_Released) + "exit 0\n");
    Services.Port_Tree.Add_Usb(QStringLiteral("ttyUSB7"),
                               vo_test::Fake_Port_Tree::Adapter("FTDI", "FT232R", "A1"), {});
    On_Next_Modal([&](QWidget* Shown) {
        Click(Shown, "Btn_Update");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Services.Msgs.Shown.isEmpty(); }, 20000));
        Click(Shown, "Btn_Cancel");
    });
    Click(&Window, "Btn_CreateBin");
    ASSERT_TRUE(Boot->Updater_Running());

    const QString BankK = State.Project_Path + QStringLiteral("/bin/bankK.bin");
    ASSERT_TRUE(QFile::remove(BankK));
    bool Opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* Modal = QApplication::activeModalWidget()) {
            Opened = true;
            Click(Modal, "Btn_Cancel");
        }
    });
    Click(&Window, "Btn_CreateBin");
    QApplication::processEvents();
    EXPECT_FALSE(Opened);
    EXPECT_FALSE(QFile::exists(BankK)) << "the images were rewritten under the running updater";
    ASSERT_EQ(Services.Msgs.Shown.size(), 2);
    EXPECT_EQ(Services.Msgs.Shown[1].Kind, QStringLiteral("warning"));
    EXPECT_EQ(Services.Msgs.Shown[1].Text,
              QStringLiteral("The updater \"%1\" is still running: the next update can start when it ends")
                  .arg(Dir.filePath(QStringLiteral("Ser_40913_Update"))));

    Release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Boot->Updater_Running(); }, 20000));
    On_Next_Modal([](QWidget* Shown) { Click(Shown, "Btn_Cancel"); });
    Click(&Window, "Btn_CreateBin");
    EXPECT_TRUE(QFile::exists(BankK));
    EXPECT_EQ(Runs(), 1);
}

// Adapters plugged in and pulled out while the dialog is open: the list follows, the user's choice
// stays while its adapter is there, and an update to a pulled adapter is refused with the reason.
TEST_F(Update_Dialog, The_Port_List_Follows_Adapters_Plugged_In_And_Pulled_Out) {
    Add_Updater("Ser_40913_Update");
    vo_test::Fake_Port_Tree& Tree = Services.Port_Tree;
    Tree.Add_Built_In(QStringLiteral("ttyS0"));
    Tree.Add_Usb(QStringLiteral("ttyUSB0"),
                 vo_test::Fake_Port_Tree::Adapter("FTDI", "FT232R USB UART", "A50285BI"),
                 QStringLiteral("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
    Show(vo::Form_Serial, [&] {
        auto* Ports = Get<QComboBox>("CB_COM_Port");
        auto* Details = Get<QLabel>("L_Port_Details");
        // ttyS0 in a tree has no UART behind it, so only the adapter is listed at first.
        const auto Items = [&] {
            QStringList Names;
            for (int I = 0; I < Ports->count(); ++I)
                Names.append(Ports->itemText(I));
            return Names;
        };
        const auto Wait_For_Items = [&](const QStringList& Expected) {
            return QTest::qWaitFor([&] { return Items() == Expected; }, 20000);
        };
        const QString Usb0 = Tree.Dev(QStringLiteral("ttyUSB0"));
        const QString Usb1 = Tree.Dev(QStringLiteral("ttyUSB1"));
        ASSERT_EQ(Items(), QStringList{Usb0});
        EXPECT_EQ(Details->text(),
                  QStringLiteral("FTDI FT232R USB UART, serial number A50285BI \u2014 free"));
        EXPECT_EQ(Ports->itemData(0, Qt::ToolTipRole).toString(),
                  QStringLiteral("FTDI FT232R USB UART, serial number A50285BI\nfree\nStable name: ") +
                      Tree.Root() +
                      QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));

        Tree.Add_Usb(QStringLiteral("ttyUSB1"),
                     {{QStringLiteral("idVendor"), "1a86\n"}, {QStringLiteral("idProduct"), "7523\n"}}, {});
        ASSERT_TRUE(Wait_For_Items({Usb0, Usb1}));
        EXPECT_EQ(Ports->currentText(), Usb0) << "a new adapter does not take the choice";
        QTest::keyClick(Ports, Qt::Key_Down);
        EXPECT_EQ(Details->text(), QStringLiteral("USB adapter 1a86:7523 \u2014 free"));

        Tree.Remove(QStringLiteral("ttyUSB0"));
        ASSERT_TRUE(Wait_For_Items({Usb1}));
        EXPECT_EQ(Ports->currentText(), Usb1) << "the choice stays while its adapter is there";

        Tree.Remove(QStringLiteral("ttyUSB1"));
        Tree.Add_Usb(QStringLiteral("ttyUSB0"), vo_test::Fake_Port_Tree::Adapter("FTDI", "FT232R", "B2"), {});
        ASSERT_TRUE(Wait_For_Items({Usb0}));
        EXPECT_EQ(Ports->currentIndex(), -1) << "never another adapter in place of the chosen one";
        EXPECT_EQ(Details->text(), QStringLiteral("The chosen port \"%1\" is gone").arg(Usb1));
        Click(Dialog.get(), "Btn_Update");
        EXPECT_EQ(Shown_Of("error"),
                  QStringList{QStringLiteral(
                                  "Error! The serial port \"%1\" is gone (was the adapter unplugged?): the "
                                  "updater was not started")
                                  .arg(Usb1)});
    });
    EXPECT_EQ(Runs(), 0);
}

// The adapter is pulled after the list was made and before the click, with no word from the system
// in between (the dialog had no chance to look): the click finds it gone.
TEST_F(Update_Dialog, An_Adapter_Pulled_Just_Before_The_Click_Starts_Nothing) {
    Add_Updater("Ser_40913_Update");
    Show(vo::Form_Serial, [&] {
        Offer_Port();
        ASSERT_EQ(Get<QComboBox>("CB_COM_Port")->currentText(), Port_Path());
        Services.Port_Tree.Remove(QStringLiteral("ttyUSB7"));
        Click(Dialog.get(), "Btn_Update");
        EXPECT_EQ(Shown_Of("error"),
                  QStringList{QStringLiteral(
                                  "Error! The serial port \"%1\" is gone (was the adapter unplugged?): the "
                                  "updater was not started")
                                  .arg(Port_Path())});
    });
    EXPECT_EQ(Runs(), 0);
}

TEST_F(Update_Dialog, The_History_Keeps_The_Adapter_Of_Each_Serial_Update) {
    Add_Updater("Ser_40913_Update");
    Show(vo::Form_Serial, [&] {
        Offer_Port();
        Click(Dialog.get(), "Btn_Update");
        ASSERT_TRUE(Wait_For_End());
    });
    const QList<QByteArray> Lines =
        Read_All(State.Project_Path + QStringLiteral("/History/history.jsonl")).split('\n');
    const QJsonObject Record = QJsonDocument::fromJson(Lines.first()).object();
    EXPECT_EQ(Record.value(QStringLiteral("target")).toString(), Port_Path());
    EXPECT_EQ(Record.value(QStringLiteral("adapter")).toObject(),
              (QJsonObject{
                  {QStringLiteral("kind"), QStringLiteral("usb")},
                  {QStringLiteral("maker"), QStringLiteral("FTDI")},
                  {QStringLiteral("model"), QStringLiteral("FT232R USB UART")},
                  {QStringLiteral("serial_number"), QStringLiteral("A50285BI")},
                  {QStringLiteral("vendor_id"), QStringLiteral("0403")},
                  {QStringLiteral("product_id"), QStringLiteral("6001")},
                  {QStringLiteral("stable_name"),
                   Services.Port_Tree.Root() +
                       QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0")}}));
}

// Nothing unusable leaves the dialog: every refusal says why, and the updater's log stays empty.
TEST_F(Update_Dialog, The_Main_Window_Refuses_Parameters_Never_Saved) {
    vo::TFVorlentFirmWare Window(State, Services.Svc);
    ASSERT_TRUE(QFile::remove(State.ParGen_File));
    Click(&Window, "Btn_CreateBin");
    EXPECT_EQ(
        Services.Msgs.Texts(),
        QStringList{QStringLiteral("Error! The parameters of this configuration were never saved: open Set "
                                   "Communication, check them and confirm with OK before the update")});
    EXPECT_FALSE(Window.Update_Dialog()->isVisible());
}

TEST_F(Update_Dialog, Images_Made_Unusable_After_The_Build_Or_A_Missing_Firmware_Start_Nothing) {
    Add_Updater("Ser_40913_Update");
    const QString BankK = State.Project_Path + QStringLiteral("/bin/bankK.bin");
    const QByteArray Built = Read_All(BankK);
    QByteArray Broken = Built;
    Broken[1000] = static_cast<char>(Broken[1000] ^ 0x01);
    Show(vo::Form_Serial, [&] {
        Offer_Port();
        // Between the build and the click, as another program or a failing disk may do.
        vo_test::Write_All(BankK, Broken);
        Get<QPushButton>("Btn_Update")->click();
        vo_test::Write_All(BankK, Built);
        QFile::remove(State.Master_Dir + QStringLiteral("/sim40913.sim"));
        Get<QPushButton>("Btn_Update")->click();
        EXPECT_EQ(Update_State(), Services.Msgs.Texts().value(1));
        // Three lines of large type, none of them cut off, the buttons still at the bottom.
        auto* State_Line = Get<QLabel>("L_Update_State");
        EXPECT_GE(State_Line->height(), State_Line->heightForWidth(State_Line->width()));
        EXPECT_GE(State_Line->height(), 3 * State_Line->fontMetrics().lineSpacing());
        EXPECT_LE(State_Line->geometry().bottom(), Get<QWidget>("P_Result")->height());
        EXPECT_EQ(Get<QWidget>("P_Button")->y(), Dialog->height() - 40);
    });
    const QStringList Errors = Shown_Of("error");
    ASSERT_EQ(Errors.size(), 2) << Errors.join(u'|').toStdString();
    EXPECT_TRUE(
        Errors[0].startsWith(QStringLiteral("Error! The images are not fit for the device, nothing was "
                                            "sent: the checksum of bankK.bin is ")))
        << Errors[0].toStdString();
    EXPECT_EQ(Errors[1],
              QStringLiteral("Error! The firmware file \"%1\" is missing or cannot be read: the updater "
                             "was not started")
                  .arg(State.Master_Dir + QStringLiteral("/sim40913.sim")));
    EXPECT_EQ(Runs(), 0);
    EXPECT_TRUE(vo::Read_History(State.Project_Path).Records.isEmpty());
}

TEST_F(Update_Dialog, A_Busy_Port_Asks_And_Only_Yes_Starts_The_Updater) {
    Add_Updater("Ser_40913_Update");
    Services.Msgs.Answers = {false, true};
    Show(vo::Form_Serial, [&] {
        Offer_Port();
        ASSERT_TRUE(Services.Port_Tree.Line(QStringLiteral("ttyUSB7")).Hold(true));
        Get<QPushButton>("Btn_Update")->click();
        EXPECT_EQ(Runs(), 0);
        Get<QPushButton>("Btn_Update")->click();
        ASSERT_TRUE(Wait_For_End());
    });
    const QStringList Questions = Shown_Of("confirm");
    ASSERT_EQ(Questions.size(), 2);
    EXPECT_TRUE(Questions[0].startsWith(QStringLiteral("The serial port \"%1\" is busy").arg(Port_Path())))
        << Questions[0].toStdString();
    EXPECT_TRUE(Questions[0].endsWith(QStringLiteral("Start the update all the same?")));
    EXPECT_EQ(Runs(), 1);
}

// The device this configuration was updated at comes first; another configuration's last address
// only when it has none. Its own configured address stands beside the fields.
TEST_F(Update_Dialog, The_Address_Offered_Is_This_Configurations_Own_Device) {
    vo::Par_Gen Set = vo::Missing_File_Par_Gen();
    Set.Ethernet_IP1 = QStringLiteral("10");
    Set.Ethernet_IP2 = QStringLiteral("1");
    Set.Ethernet_IP3 = QStringLiteral("2");
    Set.Ethernet_IP4 = QStringLiteral("3");
    ASSERT_TRUE(vo::Save_Par_Gen(Set, State.ParGen_File));
    ASSERT_TRUE(vo::Build_And_Save_Images(State));
    State.Last_IP_Address = QStringLiteral("192.168.2.205");
    Show(vo::Form_Ethernet, [&] {
        EXPECT_EQ(Address_Fields(), (QStringList{"192", "168", "2", "205"}));
        EXPECT_EQ(Get<QLabel>("L_Configured_IP")->text(), QStringLiteral("In the configuration: 10.1.2.3"));
    });
    // An update of this configuration at 127.0.0.9 (recorded as the dialog records it).
    const vo::Launch_Capture Capture = vo::Capture_Launch(State.Project_Path);
    vo::Update_Record Record = vo::Launch_Record(
        Capture, {true, QStringLiteral("127.0.0.9"), {}, QStringLiteral("Ethernet_Update")});
    ASSERT_TRUE(vo::Record_Launch(Capture, Record));
    Show(vo::Form_Ethernet, [&] { EXPECT_EQ(Address_Fields(), (QStringList{"127", "0", "0", "9"})); });
}

// The time an error box stays open is not the updater's.
TEST_F(Update_Dialog, A_Failed_Runs_Duration_Ends_With_The_Updater) {
    Add_Updater("Ser_40913_Update", "echo 'no answer' >&2\nexit 4\n");
    Services.Msgs.Error_Open_Ms = 3000;
    Show(vo::Form_Serial, [&] {
        Offer_Port();
        Get<QPushButton>("Btn_Update")->click();
        ASSERT_TRUE(Wait_For_End());
        // The output is behind Details, there for the asking.
        EXPECT_TRUE(Get<QPushButton>("Btn_Details")->isVisible());
        Get<QPushButton>("Btn_Details")->click();
        EXPECT_TRUE(Get<QWidget>("E_Output")->isVisible());
        EXPECT_EQ(Get<QPlainTextEdit>("E_Output")->toPlainText(), QStringLiteral("no answer\n"));
        EXPECT_EQ(Get<QWidget>("P_Button")->y(), Dialog->height() - 40);
    });
    const vo::History Read = vo::Read_History(State.Project_Path);
    ASSERT_EQ(Read.Records.size(), 1);
    EXPECT_EQ(Read.Records[0].Exit_Code, 4);
    EXPECT_LT(Read.Records[0].Duration_Ms, 2000);
    EXPECT_EQ(Read.Records[0].Output, QStringLiteral("no answer\n"));
    EXPECT_EQ(Shown_Of("error"), QStringList{QStringLiteral("Error! The updater \"%1\" ended with code 4")
                                                 .arg(Dir.filePath(QStringLiteral("Ser_40913_Update")))});
}

// Closed while the updater ran: the dialog goes when it ends, and the main window keeps the end in
// view.
// The link test offered after a success closes the update dialog and opens in its place.
TEST_F(Update_Dialog, The_Link_Test_Offered_After_A_Success_Opens_From_The_Main_Window) {
    vo::TFVorlentFirmWare Window(State, Services.Svc);
    vo::Par_Gen Serial = vo::Missing_File_Par_Gen();
    Serial.Device_Type_Type = 0;
    ASSERT_TRUE(vo::Save_Par_Gen(Serial, State.ParGen_File));
    Add_Updater("Ser_40913_Update", "exit 0\n");
    Services.Port_Tree.Add_Usb(QStringLiteral("ttyUSB7"),
                               vo_test::Fake_Port_Tree::Adapter("FTDI", "FT232R USB UART", "A50285BI"), {});
    vo::TFBoot* Boot = Window.Update_Dialog();
    QString Opened;
    On_Next_Modal([&](QWidget*) {
        Click(Boot, "Btn_Update");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Boot->Updater_Running(); }, 20000));
        On_Next_Modal([&](QWidget* Next) { Opened = Next->objectName(); });
        Click(Boot, "Btn_Link_Test");
    });
    Click(&Window, "Btn_CreateBin");
    EXPECT_EQ(Opened, QStringLiteral("TFLinkTest"));
    EXPECT_FALSE(Boot->isVisible());
    EXPECT_EQ(Runs(), 1);
}

TEST_F(Update_Dialog, An_Update_Whose_Dialog_Was_Closed_Shows_Its_End_In_The_Main_Window) {
    vo::TFVorlentFirmWare Window(State, Services.Svc);
    vo::Par_Gen Serial = vo::Missing_File_Par_Gen();
    Serial.Device_Type_Type = 0;
    ASSERT_TRUE(vo::Save_Par_Gen(Serial, State.ParGen_File));
    Add_Updater("Ser_40913_Update", QByteArray(Until_Released) + "exit 0\n");
    Services.Port_Tree.Add_Usb(QStringLiteral("ttyUSB7"),
                               vo_test::Fake_Port_Tree::Adapter("FTDI", "FT232R USB UART", "A50285BI"), {});
    vo::TFBoot* Boot = Window.Update_Dialog();
    On_Next_Modal([&](QWidget*) {
        Click(Boot, "Btn_Update");
        Click(Boot, "Btn_Cancel");
        Release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Boot->isVisible(); }, 20000));
    });
    Click(&Window, "Btn_CreateBin");
    auto* Last = Child<QLabel>(&Window, "L_Last_Update");
    EXPECT_TRUE(Last->isVisibleTo(&Window));
    EXPECT_TRUE(Last->text().startsWith(
        QStringLiteral("The updater \"Ser_40913_Update\" ended successfully\nIt ended "
                       "by itself with code 0 after ")))
        << Last->text().toStdString();
    EXPECT_TRUE(Services.Msgs.Shown.isEmpty()) << Services.Msgs.Texts().join(u'|').toStdString();
    EXPECT_EQ(Runs(), 1);
}
