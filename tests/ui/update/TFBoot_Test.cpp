#include "File_Bytes.h"
#include "Ui_Fixture.h"
#include "lang/String_Table.h"
#include "params/Par_Gen_File.h"
#include "shell/Startup.h"
#include "shell/TFVorlentFirmWare.h"
#include "update/Device_Type.h"
#include "update/TFBoot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

using vo_test::Read_All;

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
        Dialog = std::make_unique<vo::TFBoot>(State, Services.Svc, nullptr);
    }

    // An updater beside the executable that records each start and its arguments, one per line.
    void Add_Updater(const char* Name, int Exit_Code = 0) {
        const QString Path = Dir.filePath(QString::fromUtf8(Name));
        QFile File(Path);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(QByteArray("#!/bin/sh\nD=$(dirname \"$0\")\necho run >> \"$D/runs.txt\"\n"
                              "printf '%s\\n' \"$@\" > \"$D/args.txt\"\nexit ") +
                   QByteArray::number(Exit_Code) + "\n");
        File.close();
        File.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    int Runs() const {
        return static_cast<int>(Read_All(Dir.filePath(QStringLiteral("runs.txt"))).count('\n'));
    }

    int Show(int Form_Type, std::function<void()> Action) {
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
        // The mode panels, options and buttons keep their size; the change summary comes below them.
        EXPECT_EQ(Dialog->size(), QSize(449, 232 + Get<QWidget>("P_Changes")->height()));
        EXPECT_EQ(Get<QWidget>("P_Changes")->y(), 232);
        EXPECT_EQ(Dialog->windowTitle(), QStringLiteral("Update Device by Serial"));
        EXPECT_TRUE(Get<QWidget>("P_Serial")->isVisible());
        EXPECT_FALSE(Get<QWidget>("P_IP_Address")->isVisible());
        EXPECT_FALSE(Get<QWidget>("P_Eth_Search")->isVisible());
        EXPECT_LT(Get<QWidget>("P_Serial")->y(), Get<QWidget>("P_Options")->y());
        EXPECT_LT(Get<QWidget>("P_Options")->y(), Get<QWidget>("P_Button")->y());
    });
    Show(vo::Form_Ethernet, [&] {
        EXPECT_EQ(Dialog->size(), QSize(449, 230 + Get<QWidget>("P_Changes")->height()));
        EXPECT_EQ(Get<QWidget>("P_Changes")->y(), 230);
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

TEST_F(Update_Dialog, Ethernet_Update_Checks_The_Address_Then_Writes_The_Job_And_Starts_The_Updater) {
    Add_Updater("Ethernet_Update");
    State.Read_Back_Enabled = true;
    bool Stayed_Open = false;
    Show(vo::Form_Ethernet, [&] {
        Type_Address(QStringLiteral("127.0.0.1"));
        Get<QComboBox>("CB_Update_Options")->setCurrentIndex(2);
        Get<QCheckBox>("CB_Update_Option_Read_Back")->setChecked(false);
        // A second click while the check runs must not start a second check or launch.
        QTimer::singleShot(0, [&] { Get<QPushButton>("Btn_Update")->click(); });
        Get<QPushButton>("Btn_Update")->click();
        Stayed_Open = Dialog->isVisible();
    });
    if (!Services.Msgs.Shown.isEmpty())
        GTEST_SKIP() << "no echo reply from 127.0.0.1 here: "
                     << Services.Msgs.Texts().join(u'|').toStdString();
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

TEST_F(Update_Dialog, An_Unusable_Address_Stores_And_Starts_Nothing) {
    Add_Updater("Ethernet_Update");
    State.Last_IP_Address = QStringLiteral("10.0.0.7");
    Show(vo::Form_Ethernet, [&] {
        Type_Address(QStringLiteral("192.168.1.x"));
        Get<QComboBox>("CB_Update_Options")->setCurrentIndex(1);
        Get<QPushButton>("Btn_Update")->click();
    });
    ASSERT_EQ(Services.Msgs.Shown.size(), 1);
    EXPECT_EQ(Services.Msgs.Shown[0].Kind, QStringLiteral("error"));
    EXPECT_EQ(Services.Msgs.Shown[0].Text, QStringLiteral("Error!!! Check the Ip Address"));
    EXPECT_EQ(Runs(), 0);
    EXPECT_FALSE(QFile::exists(Dir.filePath(QStringLiteral("Ethernet_Update.xml"))));
    EXPECT_EQ(State.Last_IP_Address, QStringLiteral("10.0.0.7"));
    EXPECT_EQ(State.Update_Option_Index, 0);
}

TEST_F(Update_Dialog, Serial_Update_Runs_The_Updater_Twice_And_Stays_Open) {
    Add_Updater("Ser_40913_Update", 3);
    bool Stayed_Open = false;
    Show(vo::Form_Serial, [&] {
        Get<QComboBox>("CB_Update_Options")->setCurrentIndex(1);
        Get<QCheckBox>("CB_Update_Option_Read_Back")->setChecked(true);
        Get<QPushButton>("Btn_Update")->click();
        Get<QPushButton>("Btn_Update")->click();
        Stayed_Open = Dialog->isVisible();
    });
    EXPECT_TRUE(Stayed_Open);
    EXPECT_TRUE(Services.Msgs.Shown.isEmpty()) << Services.Msgs.Texts().join(u'|').toStdString();
    EXPECT_EQ(Runs(), 2);
    const QStringList Args =
        QString::fromUtf8(Read_All(Dir.filePath(QStringLiteral("args.txt")))).split(u'\n');
    ASSERT_GE(Args.size(), 7);
    EXPECT_EQ(Args.mid(1, 4), (QStringList{"FW", "FR", "NO", "NO"}));
    EXPECT_EQ(Args[5], State.Master_Dir + QStringLiteral("/sim40913.sim"));
    EXPECT_EQ(Args[6], State.Project_Path + QStringLiteral("/bin/"));
    EXPECT_EQ(State.Update_Option_Index, 1);
}

TEST_F(Update_Dialog, A_Missing_Updater_Is_Named_In_An_Error) {
    Show(vo::Form_Serial, [&] { Get<QPushButton>("Btn_Update")->click(); });
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
        EXPECT_EQ(Shown->size(), QSize(449, 230 + Child<QWidget>(Shown, "P_Changes")->height()));
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
