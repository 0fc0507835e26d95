#include "Qt_Print.h"
#include "Ui_Fixture.h"
#include "params/Par_Gen_File.h"
#include "shell/Startup.h"
#include "shell/TFVorlentFirmWare.h"
#include "update/TFBoot.h"
#include "widgets/Click_Label.h"
#include "workspace/Workspace.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <memory>

using namespace vo::test;

namespace {

class Keyboard : public testing::Test {
protected:
    void SetUp() override {
        vo::Start_Up(State, Dir.path());
        ASSERT_EQ(vo::Create_Configuration(State, QStringLiteral("Plant1")), 0);
        // The dialog's parameters confirmed, so that its update step opens the update dialog.
        ASSERT_TRUE(vo::Save_Par_Gen(vo::Missing_File_Par_Gen(), State.ParGen_File));
        Window = std::make_unique<vo::TFVorlentFirmWare>(State, Services.Svc);
        Window->show();
        QApplication::setActiveWindow(Window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }

    QTemporaryDir Dir;
    vo::Shared_State State;
    Test_Services Services;
    std::unique_ptr<vo::TFVorlentFirmWare> Window;
};

// Waits until the dialog shown is active and holds the focus.
void Wait_For_Focus(QWidget* Dialog) {
    EXPECT_TRUE(QTest::qWaitFor([Dialog] { return Dialog->isAncestorOf(QApplication::focusWidget()); }));
}

// The names the focus passes through, one Tab at a time from where it is, until it comes back.
QStringList Tab_Cycle() {
    QStringList Names;
    QWidget* First = QApplication::focusWidget();
    if (!First)
        return {QStringLiteral("(no focus)")};
    QWidget* Now = First;
    do {
        Names.append(Now->objectName());
        QTest::keyClick(Now, Qt::Key_Tab);
        Now = QApplication::focusWidget();
    } while (Now && Now != First && Names.size() < 60);
    return Names;
}

// The cycle turned so that it begins at Start, for comparing with a table.
QStringList From(QStringList Cycle, const QString& Start) {
    const qsizetype At = Cycle.indexOf(Start);
    if (At < 0)
        return Cycle;
    return Cycle.mid(At) + Cycle.mid(0, At);
}

// Every control a user can act on that is shown and on, but that Tab never reaches, itself or
// through the control it hands the focus to.
QStringList Unreached(QWidget* Window, const QStringList& Cycle) {
    QStringList Missed;
    for (QWidget* Control : Window->findChildren<QWidget*>()) {
        const bool Acts = qobject_cast<QAbstractButton*>(Control) || qobject_cast<QComboBox*>(Control) ||
                          qobject_cast<QLineEdit*>(Control) || qobject_cast<QAbstractItemView*>(Control) ||
                          qobject_cast<QTabBar*>(Control) || qobject_cast<vo::Click_Label*>(Control);
        if (!Acts || !Control->isVisibleTo(Window) || !Control->isEnabled())
            continue;
        const QWidget* Taker = Control->focusProxy() ? Control->focusProxy() : Control;
        if (!Cycle.contains(Taker->objectName()))
            Missed.append(Control->objectName());
    }
    return Missed;
}

QStringList Names(std::initializer_list<const char*> List) {
    QStringList Result;
    for (const char* Name : List)
        Result.append(QString::fromUtf8(Name));
    return Result;
}

} // namespace

TEST_F(Keyboard, Main_Window_Starts_At_Step_One_And_Tab_Reaches_Every_Button) {
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("Btn_New"));
    const QStringList Cycle = Tab_Cycle();
    EXPECT_EQ(Cycle, Names({"Btn_New", "Btn_Open", "Btn_Prm_Gen", "Btn_CreateBin", "Btn_History",
                            "Btn_Link_Test", "L_Velorin", "Btn_Info", "Btn_Opz", "Btn_Close"}));
    EXPECT_EQ(Unreached(Window.get(), Cycle), QStringList());
}

// Each dialog as the main window opens it: its tab order from the first input, and nothing
// left out.
TEST_F(Keyboard, Each_Dialog_Tabs_In_Its_Visual_Order) {
    struct Case {
        const char* Button;
        const char* First;
        QStringList Order;
        int Device_Type = -1;
    };
    const Case Cases[] = {
        {"Btn_New", "E_New_Proj", Names({"E_New_Proj", "Btn_OK", "Btn_Cancel"})},
        {"Btn_Open", "ListBox1", Names({"ListBox1", "Btn_OK", "Btn_Cancel"})},
        {"Btn_Info", "LbButton1", Names({"LbButton1", "Label4"})},
        {"Btn_Opz", "qt_tabwidget_tabbar",
         Names({"qt_tabwidget_tabbar", "L_L1", "L_L2", "L_L3", "Btn_OK", "Btn_Cancel"})},
        {"Btn_Prm_Gen", "CP_Device_Type_Header",
         Names({"CP_Device_Type_Header",
                "CB_Device_Type_Type",
                "CP_Operation_Mode_Header",
                "CB_Operation_Mode_Mode",
                "CP_Modbus_RTU_Header",
                "CB_ModbusRTU_Serial",
                "CB_ModbusRTU_Baudrate",
                "CB_ModbusRTU_Parity",
                "CB_ModbusRTU_DataBits",
                "CB_ModbusRTU_StopBits",
                "CP_Modbus_ASCII_Header",
                "CB_ModbusASCII_Serial",
                "CB_ModbusASCII_Baudrate",
                "CB_ModbusASCII_Parity",
                "CB_ModbusASCII_DataBits",
                "CB_ModbusASCII_StopBits",
                "E_ModbusASCII_TimeOut",
                "CP_Ethernet_Header",
                "E_Ethernet_IP1",
                "E_Ethernet_IP2",
                "E_Ethernet_IP3",
                "E_Ethernet_IP4",
                "E_Ethernet_SM1",
                "E_Ethernet_SM2",
                "E_Ethernet_SM3",
                "E_Ethernet_SM4",
                "CB_Ethernet_En_GAT",
                "E_Ethernet_GAT1",
                "E_Ethernet_GAT2",
                "E_Ethernet_GAT3",
                "E_Ethernet_GAT4",
                "Btn_OK",
                "Btn_Cancel"})},
        {"Btn_CreateBin", "CB_COM_Port",
         Names({"CB_COM_Port", "Btn_COM_List", "CB_Update_Options", "CB_Update_Option_Read_Back",
                "Btn_Update", "Btn_Cancel"}),
         0},
        {"Btn_CreateBin", "E_IP1",
         Names({"E_IP1", "E_IP2", "E_IP3", "E_IP4", "CB_Update_Options", "CB_Update_Option_Read_Back",
                "Btn_Update", "Btn_Cancel"}),
         1},
    };
    for (const QString& Language :
         {QStringLiteral("Deutsch"), QStringLiteral("English"), QStringLiteral("Italiano")})
        QFile::copy(QStringLiteral(VO_SOURCE_DIR "/data/LANGUAGE/") + Language + QStringLiteral(".lng"),
                    QDir(State.Language_Dir).filePath(Language + QStringLiteral(".lng")));
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Button);
        if (C.Device_Type >= 0) {
            ASSERT_TRUE(vo::Save_Par_Gen(vo::Default_Par_Gen(C.Device_Type), State.ParGen_File));
        }
        QStringList Cycle;
        QStringList Missed;
        QString First;
        On_Next_Modal([&](QWidget* Dialog) {
            Wait_For_Focus(Dialog);
            First = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            Cycle = Tab_Cycle();
            Missed = Unreached(Dialog, Cycle);
            QMetaObject::invokeMethod(Dialog, "reject", Qt::QueuedConnection);
        });
        Click(Window.get(), C.Button);
        EXPECT_EQ(First, QLatin1String(C.First));
        EXPECT_EQ(From(Cycle, QLatin1String(C.First)), C.Order);
        EXPECT_EQ(Missed, QStringList());
    }
}

TEST_F(Keyboard, Return_Presses_The_Focused_Button_Of_The_Main_Window) {
    struct Case {
        const char* Button;
        const char* Opens;
    };
    const Case Cases[] = {{"Btn_Info", "TFAbout"},      {"Btn_Opz", "TFSoftOptions"},
                          {"Btn_New", "TFNew_Project"}, {"Btn_Open", "TFOpenConf"},
                          {"Btn_Prm_Gen", "TFParGen"},  {"Btn_CreateBin", "TFBoot"}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Button);
        for (const Qt::Key Key : {Qt::Key_Return, Qt::Key_Enter}) {
            QString Opened;
            On_Next_Modal([&](QWidget* Dialog) {
                Opened = Dialog->objectName();
                QMetaObject::invokeMethod(Dialog, "reject", Qt::QueuedConnection);
            });
            auto* Button = Child<QWidget>(Window.get(), C.Button);
            Button->setFocus();
            QTest::keyClick(Button, Key);
            EXPECT_EQ(Opened, QLatin1String(C.Opens));
        }
    }
    auto* Close = Child<QWidget>(Window.get(), "Btn_Close");
    Close->setFocus();
    QTest::keyClick(Close, Qt::Key_Return);
    EXPECT_FALSE(Window->isVisible());
}

// In each dialog Return on OK or Cancel closes it as a click does, Cancel with rejected(); on any
// other input Return presses the dialog's default button.
TEST_F(Keyboard, Return_Closes_Each_Dialog_By_Its_Focused_Button) {
    struct Case {
        const char* Opener;
        const char* Button;
        int Result;
    };
    const Case Cases[] = {
        {"Btn_Open", "Btn_Cancel", vo::Modal_Cancel}, {"Btn_Open", "Btn_OK", vo::Modal_Ok},
        {"Btn_New", "Btn_Cancel", vo::Modal_Cancel},  {"Btn_Opz", "Btn_Cancel", vo::Modal_Cancel},
        {"Btn_Opz", "Btn_OK", vo::Modal_Ok},          {"Btn_Prm_Gen", "Btn_Cancel", vo::Modal_Cancel},
        {"Btn_Prm_Gen", "Btn_OK", vo::Modal_Ok},      {"Btn_Prm_Gen", "CB_ModbusRTU_Baudrate", vo::Modal_Ok},
        {"Btn_Info", "LbButton1", vo::Modal_Ok},      {"Btn_CreateBin", "Btn_Cancel", vo::Modal_Cancel},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.Opener) + " " + C.Button);
        int Result = -1;
        int Rejected = 0;
        On_Next_Modal([&](QWidget* Dialog) {
            auto* Shown = qobject_cast<QDialog*>(Dialog);
            QObject::connect(Shown, &QDialog::finished, [&](int Code) { Result = Code; });
            QObject::connect(Shown, &QDialog::rejected, [&] { ++Rejected; });
            Wait_For_Focus(Dialog);
            auto* Input = Child<QWidget>(Dialog, C.Button);
            Input->setFocus();
            QTest::keyClick(Input, Qt::Key_Return);
        });
        Click(Window.get(), C.Opener);
        EXPECT_EQ(Result, C.Result);
        EXPECT_EQ(Rejected, C.Result == vo::Modal_Cancel ? 1 : 0);
    }
    EXPECT_TRUE(Services.Msgs.Shown.isEmpty()) << Services.Msgs.Texts().join(u'|').toStdString();
}

TEST_F(Keyboard, Enter_In_The_Update_Dialog_Starts_The_Update) {
    // In serial mode without a port Update can only say so: the message shows that it was pressed.
    ASSERT_TRUE(vo::Save_Par_Gen(vo::Default_Par_Gen(0), State.ParGen_File));
    On_Next_Modal([&](QWidget* Dialog) {
        Wait_For_Focus(Dialog);
        auto* Ports = Child<QComboBox>(Dialog, "CB_COM_Port");
        Ports->clear();
        QTest::keyClick(Child<QWidget>(Dialog, "CB_Update_Options"), Qt::Key_Enter);
    });
    Click(Window.get(), "Btn_CreateBin");
    ASSERT_EQ(Services.Msgs.Shown.size(), 1);
    EXPECT_TRUE(Services.Msgs.Shown[0].Text.startsWith(QStringLiteral("Error! No serial port is chosen")))
        << Services.Msgs.Shown[0].Text.toStdString();
}
