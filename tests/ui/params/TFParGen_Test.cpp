#include "Cli_Run.h"
#include "File_Bytes.h"
#include "Qt_Print.h"
#include "Ui_Fixture.h"
#include "lang/String_Table.h"
#include "params/Par_Gen_File.h"
#include "params/TFParGen.h"
#include "shell/Startup.h"
#include "util/Writer_Lock.h"
#include "widgets/Category_Panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

using vo_test::Read_All;

using namespace vo::test;

namespace {

class Par_Gen_Dialog : public testing::Test {
protected:
    void SetUp() override {
        vo::Set_Folders(State, Dir.path());
        vo::Load_Default_Strings(State.Lang_Strings);
        State.Software_Code = QStringLiteral("VO40913");
        State.Project_Path = Dir.path();
        vo::Set_Files(State);
        Dialog = std::make_unique<vo::TFParGen>(State, Msgs, nullptr);
    }

    // Shows the dialog modally, runs Action on it, and returns the modal result.
    int Show(std::function<void()> Action) {
        On_Next_Modal([&](QWidget*) { Action(); });
        return Dialog->exec();
    }

    template <typename T> T* Get(const char* Name) { return Child<T>(Dialog.get(), Name); }

    // A choice made by the user, as the list reports it.
    void Choose(const char* List_Name, int Index) {
        auto* List = Get<QComboBox>(List_Name);
        List->setCurrentIndex(Index);
        Q_EMIT List->activated(Index);
    }

    QStringList Entries(const char* List_Name) {
        QStringList Texts;
        auto* List = Get<QComboBox>(List_Name);
        for (int I = 0; I < List->count(); ++I)
            Texts.append(List->itemText(I));
        return Texts;
    }

    bool Shown(const char* Name) { return Get<QWidget>(Name)->isVisibleTo(Dialog.get()); }

    void Write_ParGen(const vo::Par_Gen& Set) { ASSERT_TRUE(vo::Save_Par_Gen(Set, State.ParGen_File)); }

    QTemporaryDir Dir;
    vo::Shared_State State;
    Recording_Messages Msgs;
    std::unique_ptr<vo::TFParGen> Dialog;
};

} // namespace

TEST_F(Par_Gen_Dialog, A_New_Configuration_Opens_With_The_Ethernet_Variant_And_Its_Layout) {
    Show([&] {
        EXPECT_EQ(Get<QComboBox>("CB_Device_Type_Type")->currentText(), QStringLiteral("With Ethernet Port"));
        EXPECT_EQ(Entries("CB_ModbusRTU_DataBits"), (QStringList{QStringLiteral("7"), QStringLiteral("8")}));
        EXPECT_TRUE(Shown("CP_Ethernet"));
        EXPECT_FALSE(Shown("E_ModbusRTU_TimeOut"));
        EXPECT_TRUE(Shown("E_ModbusASCII_TimeOut"));
        EXPECT_EQ(Get<vo::Category_Panel>("CP_Device_Type")->Caption(), QStringLiteral("1. Device Type"));
        EXPECT_EQ(Get<vo::Category_Panel>("CP_Ethernet")->Caption(), QStringLiteral("5. Ethernet"));
        EXPECT_EQ(Dialog->width(), 460);
        EXPECT_EQ(Get<QLineEdit>("E_Ethernet_IP3")->toolTip(),
                  QStringLiteral("Insert Third byte of IP Address"));
    });
    EXPECT_FALSE(QFile::exists(State.ParGen_File));
}

TEST_F(Par_Gen_Dialog, Operation_Mode_And_Device_Type_Rearrange_The_Panels) {
    Show([&] {
        const int RTU_Height = Get<QWidget>("CP_Modbus_RTU")->height();
        Choose("CB_Operation_Mode_Mode", 1);
        EXPECT_TRUE(Shown("E_ModbusRTU_TimeOut"));
        EXPECT_FALSE(Shown("L_ModbusASCII_TimeOut"));
        EXPECT_EQ(Get<QWidget>("CP_Modbus_RTU")->height(), RTU_Height + 27);
        EXPECT_EQ(Get<QWidget>("CP_Modbus_ASCII")->height(), RTU_Height);

        Choose("CB_Device_Type_Type", 0);
        EXPECT_FALSE(Shown("CP_Ethernet"));
        EXPECT_EQ(Entries("CB_ModbusRTU_DataBits").size(), 4);
    });
}

TEST_F(Par_Gen_Dialog, Data_Bits_Follow_The_Device_Type) {
    vo::Par_Gen Set = vo::Default_Par_Gen(0);
    Set.DATA_RTU = 1;   // "6"
    Set.DATA_ASCII = 2; // "7"
    Write_ParGen(Set);
    Show([&] {
        Choose("CB_Device_Type_Type", 1);
        EXPECT_EQ(Get<QComboBox>("CB_ModbusRTU_DataBits")->currentText(), QStringLiteral("8"));
        EXPECT_EQ(Get<QComboBox>("CB_ModbusASCII_DataBits")->currentText(), QStringLiteral("7"));
        Choose("CB_Device_Type_Type", 0);
        EXPECT_EQ(Get<QComboBox>("CB_ModbusRTU_DataBits")->currentText(), QStringLiteral("8"));
        EXPECT_EQ(Get<QComboBox>("CB_ModbusASCII_DataBits")->currentText(), QStringLiteral("7"));
    });
}

TEST_F(Par_Gen_Dialog, Only_One_Side_Stays_On_RS232) {
    Show([&] {
        Choose("CB_ModbusRTU_Serial", 0);
        EXPECT_EQ(Get<QComboBox>("CB_ModbusRTU_Serial")->currentText(), QStringLiteral("RS232"));
        EXPECT_EQ(Get<QComboBox>("CB_ModbusASCII_Serial")->currentText(), QStringLiteral("RS485"));
        Choose("CB_ModbusASCII_Serial", 0);
        EXPECT_EQ(Get<QComboBox>("CB_ModbusRTU_Serial")->currentText(), QStringLiteral("RS485"));
        Choose("CB_ModbusASCII_Serial", 1);
        EXPECT_EQ(Get<QComboBox>("CB_ModbusRTU_Serial")->currentText(), QStringLiteral("RS485"));
    });
}

TEST_F(Par_Gen_Dialog, Ok_Checks_Then_Saves_And_A_Failed_Check_Writes_Nothing) {
    Write_ParGen(vo::Missing_File_Par_Gen());
    const QByteArray Before = Read_All(State.ParGen_File);
    bool Stayed_Open = false;
    EXPECT_EQ(Show([&] {
                  Get<QLineEdit>("E_Ethernet_IP3")->setText(QStringLiteral("256"));
                  Click(Dialog.get(), "Btn_OK");
                  Stayed_Open = Dialog->isVisible();
              }),
              vo::Modal_Cancel);
    EXPECT_TRUE(Stayed_Open);
    EXPECT_EQ(Msgs.Texts(),
              QStringList{QStringLiteral("Error Ethernet!! IP Address 3 must be between 0 and 255")});
    EXPECT_EQ(Read_All(State.ParGen_File), Before);

    Msgs.Shown.clear();
    vo::Par_Gen Expected;
    EXPECT_EQ(Show([&] {
                  Get<QLineEdit>("E_Ethernet_IP3")->setText(QStringLiteral("255"));
                  // Hidden in operation mode 0: no range check, only an integer for the images.
                  Get<QLineEdit>("E_ModbusRTU_TimeOut")->setText(QStringLiteral("99999"));
                  Get<QCheckBox>("CB_Ethernet_En_GAT")->setChecked(true);
                  Expected = Dialog->Held_Values();
                  Click(Dialog.get(), "Btn_OK");
              }),
              vo::Modal_Ok);
    EXPECT_TRUE(Msgs.Shown.isEmpty()) << Msgs.Texts().join(u'|').toStdString();
    EXPECT_EQ(Read_All(State.ParGen_File), vo::Par_Gen_Bytes(Expected));
    vo::Par_Gen Saved;
    ASSERT_TRUE(vo::Load_Par_Gen(State.ParGen_File, Saved));
    EXPECT_EQ(Saved.TO_RTU, QStringLiteral("99999"));
    EXPECT_TRUE(Saved.Ethernet_EN_GAT);
}

TEST_F(Par_Gen_Dialog, Cancel_Discards_The_Edits) {
    EXPECT_EQ(Show([&] {
                  Choose("CB_Device_Type_Type", 0);
                  Click(Dialog.get(), "Btn_Cancel");
              }),
              vo::Modal_Cancel);
    EXPECT_FALSE(QFile::exists(State.ParGen_File));
    Show([&] { EXPECT_EQ(Get<QComboBox>("CB_Device_Type_Type")->currentIndex(), 1); });
}

TEST_F(Par_Gen_Dialog, An_Unparsable_File_Is_Reported_And_The_Dialog_Stays_Closed) {
    // The dialog last showed another configuration, whose values it still holds.
    Show([&] {
        Get<QLineEdit>("E_ModbusASCII_TimeOut")->setText(QStringLiteral("4321"));
        Click(Dialog.get(), "Btn_OK");
    });
    const QByteArray Broken("<Par_Gen><MODE_DEV>1</MODE_DEV>");
    QDir(Dir.path()).mkdir(QStringLiteral("Broken"));
    State.Project_Path = Dir.filePath(QStringLiteral("Broken"));
    vo::Set_Files(State);
    QFile File(State.ParGen_File);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Broken);
    File.close();
    Msgs.Shown.clear();

    bool Shown_Anyway = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* Modal = QApplication::activeModalWidget()) {
            Shown_Anyway = true;
            Click(Modal, "Btn_OK");
        }
    });
    EXPECT_EQ(Dialog->exec(), vo::Modal_Cancel);
    QApplication::processEvents();
    EXPECT_FALSE(Shown_Anyway);
    ASSERT_EQ(Msgs.Shown.size(), 1);
    EXPECT_EQ(Msgs.Shown[0].Kind, QStringLiteral("error"));
    EXPECT_TRUE(Msgs.Shown[0].Text.contains(QStringLiteral("Broken/ParGen.xml")))
        << Msgs.Shown[0].Text.toStdString();
    EXPECT_EQ(Read_All(State.ParGen_File), Broken);
}

TEST_F(Par_Gen_Dialog, A_Failed_Save_Is_Reported_And_The_Dialog_Stays_Open) {
    State.ParGen_File = Dir.filePath(QStringLiteral("gone/ParGen.xml"));
    bool Stayed_Open = false;
    Show([&] {
        Click(Dialog.get(), "Btn_OK");
        Stayed_Open = Dialog->isVisible();
    });
    EXPECT_TRUE(Stayed_Open);
    ASSERT_EQ(Msgs.Shown.size(), 1);
    EXPECT_TRUE(Msgs.Shown[0].Text.contains(QStringLiteral("ParGen.xml")));
}

TEST_F(Par_Gen_Dialog, A_Configuration_Another_Program_Writes_Is_Not_Saved_Over) {
    vo::Writer_Lock Other_Writer(vo::Lock_Of::Configuration, State.Project_Path);
    ASSERT_TRUE(Other_Writer.Acquire(std::chrono::milliseconds::zero()));
    bool Stayed_Open = false;
    Show([&] {
        Click(Dialog.get(), "Btn_OK");
        Stayed_Open = Dialog->isVisible();
    });
    EXPECT_TRUE(Stayed_Open);
    ASSERT_EQ(Msgs.Shown.size(), 1);
    EXPECT_TRUE(Msgs.Shown[0].Text.startsWith(
        QStringLiteral("Error! The configuration is in use by another program: \"%1\" is held by process %2")
            .arg(QDir::toNativeSeparators(Dir.filePath(QStringLiteral(".vo40913.lock"))))
            .arg(QCoreApplication::applicationPid())))
        << Msgs.Shown[0].Text.toStdString();
    EXPECT_FALSE(QFile::exists(State.ParGen_File));
}

TEST_F(Par_Gen_Dialog, Dot_Moves_To_The_Next_Address_Byte_And_Is_Never_Typed) {
    Show([&] {
        auto* IP4 = Get<QLineEdit>("E_Ethernet_IP4");
        IP4->setFocus();
        IP4->clear();
        QTest::keyClicks(IP4, QStringLiteral("10."));
        EXPECT_EQ(IP4->text(), QStringLiteral("10"));
        EXPECT_TRUE(Dialog->focusWidget() == Get<QLineEdit>("E_Ethernet_SM1"));
        auto* GAT4 = Get<QLineEdit>("E_Ethernet_GAT4");
        GAT4->setFocus();
        GAT4->clear();
        QTest::keyClicks(GAT4, QStringLiteral("1.2"));
        EXPECT_EQ(GAT4->text(), QStringLiteral("12"));
        EXPECT_EQ(Dialog->focusWidget(), GAT4);
        auto* TimeOut = Get<QLineEdit>("E_ModbusASCII_TimeOut");
        TimeOut->clear();
        QTest::keyClicks(TimeOut, QStringLiteral("1.5"));
        EXPECT_EQ(TimeOut->text(), QStringLiteral("1.5"));
    });
}

TEST_F(Par_Gen_Dialog, Width_Stays_Fixed_And_The_Wheel_Scrolls_Only_Over_The_Group) {
    Show([&] {
        Dialog->resize(900, 300);
        EXPECT_EQ(Dialog->width(), 460);
        EXPECT_EQ(Dialog->height(), 300);
        auto* Group = Get<QScrollArea>("Group_Panels");
        QScrollBar* Bar = Group->verticalScrollBar();
        ASSERT_GT(Bar->maximum(), 0);
        const auto Wheel = [](QWidget* Target, int Delta) {
            const QPoint Local = Target->rect().center();
            QWheelEvent Event(Local, Target->mapToGlobal(Local), {}, {0, Delta}, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(Target, &Event);
        };
        auto* List = Get<QComboBox>("CB_Operation_Mode_Mode");
        Wheel(List, -120);
        EXPECT_EQ(Bar->value(), qMin(Bar->maximum(), QApplication::wheelScrollLines() * Bar->singleStep()));
        EXPECT_EQ(List->currentIndex(), 0);
        const int Scrolled = Bar->value();
        Wheel(Get<QLabel>("L_SW_Code"), 120);
        EXPECT_EQ(Bar->value(), Scrolled);
        Wheel(Group->viewport(), 120);
        EXPECT_EQ(Bar->value(), 0);
    });
}

TEST_F(Par_Gen_Dialog, Language_Change_Relabels_Everything_With_The_Panel_Captions) {
    State.Lang_Strings[422] = QStringLiteral("Velocità");
    State.Lang_Strings[419] = QStringLiteral("Modbus RTU (it)");
    State.Lang_Strings[402] = QStringLiteral("Conferma");
    Dialog->Set_Lang();
    EXPECT_EQ(Get<QLabel>("L_ModbusRTU_Baudrate")->text(), QStringLiteral("Velocità"));
    EXPECT_EQ(Get<QWidget>("Btn_OK")->property("text").toString(), QStringLiteral("Conferma"));
    EXPECT_EQ(Get<vo::Category_Panel>("CP_Modbus_RTU")->Caption(), QStringLiteral("3. Modbus RTU (it)"));
}

TEST_F(Par_Gen_Dialog, The_Dialog_And_The_Command_Line_Read_Each_Others_Files) {
    // A folder given by path is a configuration when it holds its parameter file.
    Write_ParGen(vo::Missing_File_Par_Gen());
    const vo_test::Run_Result Set =
        vo_test::Run_Cli({QStringLiteral("set"), Dir.path() + u'/', QStringLiteral("MODE_DEV=1"),
                          QStringLiteral("TO_RTU=2500"), QStringLiteral("Ethernet_IP4=77")});
    ASSERT_EQ(Set.Exit_Code, 0) << Set.Err_Lines.join(u'|').toStdString();
    Show([&] {
        EXPECT_EQ(Get<QComboBox>("CB_Operation_Mode_Mode")->currentIndex(), 1);
        EXPECT_EQ(Get<QLineEdit>("E_ModbusRTU_TimeOut")->text(), QStringLiteral("2500"));
        EXPECT_EQ(Get<QLineEdit>("E_Ethernet_IP4")->text(), QStringLiteral("77"));
        Get<QLineEdit>("E_Ethernet_IP1")->setText(QStringLiteral("10"));
        Click(Dialog.get(), "Btn_OK");
    });
    const vo_test::Run_Result Shown = vo_test::Run_Cli({QStringLiteral("show"), Dir.path() + u'/'});
    ASSERT_EQ(Shown.Exit_Code, 0);
    EXPECT_TRUE(Shown.Out.contains(QStringLiteral("\nEthernet_IP1=10\n"))) << Shown.Out.toStdString();
    EXPECT_TRUE(Shown.Out.contains(QStringLiteral("\nTO_RTU=2500\n")));
}
