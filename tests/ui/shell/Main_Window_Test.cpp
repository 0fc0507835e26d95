#include "Qt_Print.h"
#include "Ui_Fixture.h"
#include "options/Version_Checker.h"
#include "shell/Settings_File.h"
#include "shell/Startup.h"
#include "shell/TFAbout.h"
#include "shell/TFVorlentFirmWare.h"
#include "workspace/TFNew_Project.h"
#include "workspace/TFOpenConf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <memory>

using namespace vo::test;

namespace {

class Main_Window : public testing::Test {
protected:
    void Start(const QByteArray& Settings = {}) {
        if (!Settings.isEmpty()) {
            QFile File(Dir.filePath(QStringLiteral("Vorlent.xml")));
            ASSERT_TRUE(File.open(QIODevice::WriteOnly));
            File.write(Settings);
        }
        vo::Start_Up(State, Dir.path());
        Window = std::make_unique<vo::TFVorlentFirmWare>(State, Services.Svc);
        Window->show();
    }

    QString Label(const char* Name) { return Child<QLabel>(Window.get(), Name)->text(); }

    QTemporaryDir Dir;
    vo::Shared_State State;
    Test_Services Services;
    Recording_Messages& Msgs = Services.Msgs;
    Recording_Url_Opener& Urls = Services.Urls;
    std::unique_ptr<vo::TFVorlentFirmWare> Window;
};

QByteArray Settings_Naming(const char* Project) {
    return QByteArray("<Conf_Settings><lastproj><projectname>") + Project +
           "</projectname></lastproj></Conf_Settings>";
}

} // namespace

TEST_F(Main_Window, First_Start_Shows_The_English_Texts_And_No_Configuration) {
    Start();
    EXPECT_EQ(Window->windowTitle(),
              QStringLiteral("Velorin - Configurator VO40913 - Modbus RTU / Modbus ASCII "));
    EXPECT_EQ(Window->size(), QSize(694, 352));
    EXPECT_EQ(Label("L_SW_Code"), QStringLiteral("VO40913"));
    EXPECT_EQ(Label("L_SW_Desc"), QStringLiteral("Modbus RTU / Modbus ASCII - Converter"));
    EXPECT_EQ(Label("L_Name_Conf"), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(Label("L_Name_Conf_L2"), QStringLiteral("Use Step1 to open or create new configuration"));
    EXPECT_EQ(Label("L_Begin"), QStringLiteral("Begin"));
    EXPECT_EQ(Label("L_Step_3"), QStringLiteral("Step 3"));
    EXPECT_EQ(Child<QPushButton>(Window.get(), "Btn_Prm_Gen")->text(), QStringLiteral("Set Communication"));
    EXPECT_EQ(Child<QPushButton>(Window.get(), "Btn_CreateBin")->toolTip(),
              QStringLiteral("Update the actual Firmware and/or Configuration in the device"));
    EXPECT_EQ(Child<QPushButton>(Window.get(), "Btn_Close")->toolTip(), QStringLiteral("Close Configurator"));
    EXPECT_FALSE(Child<QLabel>(Window.get(), "LL_Update")->isVisible());
    EXPECT_FALSE(Window->Update_Timer()->isActive());
}

TEST_F(Main_Window, Configuration_Steps_Are_Refused_While_None_Is_Open) {
    Start(Settings_Naming("Deleted"));
    Click(Window.get(), "Btn_Prm_Gen");
    Click(Window.get(), "Btn_CreateBin");
    ASSERT_EQ(Msgs.Shown.size(), 2);
    for (const auto& Shown : Msgs.Shown) {
        EXPECT_EQ(Shown.Kind, QStringLiteral("error"));
        EXPECT_EQ(Shown.Text, QStringLiteral("Error! Project not Valid"));
    }
    EXPECT_EQ(Label("L_Name_Conf"), QStringLiteral("None Configuration Opened "));
}

TEST_F(Main_Window, New_Configuration_Opens_It_And_Unlocks_The_Steps) {
    Start();
    On_Next_Modal([](QWidget* Dialog) {
        QTest::keyClicks(Child<QLineEdit>(Dialog, "E_New_Proj"), QStringLiteral("Plant1"));
        Click(Dialog, "Btn_OK");
    });
    Click(Window.get(), "Btn_New");
    EXPECT_TRUE(Msgs.Shown.isEmpty()) << Msgs.Texts().join(u'|').toStdString();
    EXPECT_TRUE(QFileInfo(Dir.filePath(QStringLiteral("PROJECTS/Plant1/bin"))).isDir());
    EXPECT_EQ(Label("L_Name_Conf"), QStringLiteral("Opened Configuration of the Converter : "));
    EXPECT_EQ(Label("L_Name_Conf_L2"), QStringLiteral("Plant1"));
    EXPECT_EQ(State.ParGen_File, Dir.filePath(QStringLiteral("PROJECTS/Plant1/ParGen.xml")));

    On_Next_Modal([](QWidget* Dialog) {
        EXPECT_EQ(Dialog->objectName(), QStringLiteral("TFParGen"));
        Click(Dialog, "Btn_Cancel");
    });
    Click(Window.get(), "Btn_Prm_Gen");
    EXPECT_TRUE(Msgs.Shown.isEmpty()) << Msgs.Texts().join(u'|').toStdString();
}

TEST_F(Main_Window, Open_Dialog_Ok_With_An_Empty_List_Closes_The_Configuration) {
    QDir(Dir.path()).mkpath(QStringLiteral("PROJECTS/Plant1"));
    Start(Settings_Naming("Plant1"));
    ASSERT_EQ(Label("L_Name_Conf_L2"), QStringLiteral("Plant1"));
    QDir(Dir.filePath(QStringLiteral("PROJECTS/Plant1"))).removeRecursively();
    On_Next_Modal([](QWidget* Dialog) { Click(Dialog, "Btn_OK"); });
    Click(Window.get(), "Btn_Open");
    EXPECT_FALSE(State.Project_Open());
    EXPECT_EQ(Label("L_Name_Conf_L2"), QStringLiteral("Use Step1 to open or create new configuration"));
}

TEST_F(Main_Window, Open_Dialog_Cancel_Changes_Nothing_And_Ok_Opens_The_Chosen_One) {
    QDir(Dir.path()).mkpath(QStringLiteral("PROJECTS/Alpha"));
    QDir(Dir.path()).mkpath(QStringLiteral("PROJECTS/Beta"));
    Start();
    On_Next_Modal([](QWidget* Dialog) { Click(Dialog, "Btn_Cancel"); });
    Click(Window.get(), "Btn_Open");
    EXPECT_FALSE(State.Project_Open());

    On_Next_Modal([](QWidget* Dialog) {
        QWidget* List = Child<QWidget>(Dialog, "ListBox1");
        QTest::keyClick(List, Qt::Key_Down);
        Click(Dialog, "Btn_OK");
    });
    Click(Window.get(), "Btn_Open");
    EXPECT_EQ(State.Project_Name, QStringLiteral("Beta"));
    EXPECT_EQ(State.Project_Path, Dir.filePath(QStringLiteral("PROJECTS/Beta")));
    EXPECT_EQ(State.ParGen_File, Dir.filePath(QStringLiteral("PROJECTS/Beta/ParGen.xml")));
    EXPECT_EQ(Label("L_Name_Conf_L2"), QStringLiteral("Beta"));
}

TEST_F(Main_Window, Closing_Writes_The_Settings_And_Reports_A_Failed_Write) {
    QDir(Dir.path()).mkpath(QStringLiteral("PROJECTS/Plant1"));
    Start(Settings_Naming("Plant1"));
    State.Last_IP_Address = QStringLiteral("10.1.2.3");
    Click(Window.get(), "Btn_Close");
    EXPECT_FALSE(Window->isVisible());
    EXPECT_TRUE(Msgs.Shown.isEmpty());
    vo::Shared_State Reread;
    vo::Set_Folders(Reread, Dir.path());
    vo::Read_Settings(Reread);
    EXPECT_EQ(Reread.Project_Name, QStringLiteral("Plant1"));
    EXPECT_EQ(Reread.Last_IP_Address, QStringLiteral("10.1.2.3"));

    Window->show();
    ASSERT_TRUE(QDir(Dir.path()).removeRecursively());
    Window->close();
    ASSERT_EQ(Msgs.Shown.size(), 1);
    EXPECT_EQ(Msgs.Shown[0].Kind, QStringLiteral("error"));
    EXPECT_TRUE(Msgs.Shown[0].Text.contains(QStringLiteral("Vorlent.xml")))
        << Msgs.Shown[0].Text.toStdString();
}

TEST_F(Main_Window, About_Box_Shows_Its_Fixed_Texts_And_Opens_The_Home_Page) {
    Start();
    On_Next_Modal([this](QWidget* Dialog) {
        EXPECT_EQ(Dialog->size(), QSize(425, 148));
        EXPECT_EQ(Child<QLabel>(Dialog, "Label2")->text(),
                  QStringLiteral("Modbus RTU / Modbus ASCII - Converter"));
        EXPECT_EQ(Child<QLabel>(Dialog, "Label9")->text(), QStringLiteral("VO40913"));
        EXPECT_EQ(Child<QLabel>(Dialog, "Label10")->text(), QStringLiteral("2.002"));
        EXPECT_EQ(Child<QLabel>(Dialog, "Label12")->text(), QStringLiteral("ZE40913"));
        Click(Dialog, "Label4");
        Click(Dialog, "Image2");
        EXPECT_EQ(Urls.Opened.size(), 2);
        Click(Dialog, "LbButton1");
    });
    Click(Window.get(), "Btn_Info");
    ASSERT_FALSE(Urls.Opened.isEmpty());
    EXPECT_TRUE(Urls.Opened[0].endsWith(QStringLiteral("/HOME/default.asp?frompg=VO40913")))
        << Urls.Opened[0].toStdString();
    EXPECT_EQ(Window->About_Box()->result(), vo::Modal_Ok);

    Click(Window.get(), "L_Velorin");
    EXPECT_EQ(Urls.Opened.last(), Urls.Opened.first());
}

TEST_F(Main_Window, Update_Timer_Runs_Exactly_When_Both_Internet_Options_Are_Set) {
    Start(QByteArray("<Conf_Settings><lastinternet><enable_internet>1</enable_internet><enable_update>1"
                     "</enable_update></lastinternet></Conf_Settings>"));
    EXPECT_TRUE(Window->Update_Timer()->isActive());
    EXPECT_EQ(Window->Update_Timer()->interval(), 60000);
}

TEST_F(Main_Window, A_Timer_Check_Shows_Or_Hides_The_Update_Link_And_Waits_Two_Hours) {
    Start(QByteArray("<Conf_Settings><lastinternet><enable_internet>1</enable_internet><enable_update>1"
                     "</enable_update></lastinternet></Conf_Settings>"));
    auto* Link = Child<QLabel>(Window.get(), "LL_Update");
    const auto Check_With = [&](const char* Reply) {
        vo_test::Loopback_Http_Server Server(vo_test::Http_Response(200, Reply));
        Services.Svc.Version.Server_Url = QString::fromStdString(Server.Url());
        QSignalSpy Finished(Window->Update_Checker(), &vo::Version_Checker::Finished);
        Window->Timer_UpdateTimer();
        EXPECT_FALSE(Window->Update_Timer()->isActive());
        EXPECT_TRUE(Finished.wait(5000));
        EXPECT_EQ(Server.Requests().size(), 1u);
    };
    Check_With("VER. 2.003");
    EXPECT_TRUE(Link->isVisible());
    EXPECT_TRUE(Link->text().contains(QStringLiteral("/Home/download/download.asp#DU40913")));
    EXPECT_TRUE(Link->text().contains(QStringLiteral("New Version Available. Click Here for more Details")));
    EXPECT_TRUE(Window->Update_Timer()->isActive());
    EXPECT_EQ(Window->Update_Timer()->interval(), 7200000);
    Q_EMIT Link->linkActivated(
        QStringLiteral("http://www.velorin.example/Home/download/download.asp#DU40913"));
    EXPECT_EQ(Urls.Opened.last(),
              QStringLiteral("http://www.velorin.example/Home/download/download.asp#DU40913"));

    Check_With("VER. 2.002");
    EXPECT_FALSE(Link->isVisible());
    EXPECT_EQ(Window->Update_Timer()->interval(), 7200000);
}

TEST_F(Main_Window, Options_Ok_Writes_The_Settings_And_Arms_The_Timer_While_Cancel_Changes_Nothing) {
    Start();
    const QString Settings = Dir.filePath(QStringLiteral("Vorlent.xml"));
    On_Next_Modal([](QWidget* Dialog) {
        QTest::mouseClick(Child<QWidget>(Dialog, "CB_En_Con"), Qt::LeftButton, {}, QPoint(5, 5));
        Click(Dialog, "Btn_Cancel");
    });
    Click(Window.get(), "Btn_Opz");
    EXPECT_FALSE(QFile::exists(Settings));
    EXPECT_FALSE(State.Enable_Internet);
    EXPECT_FALSE(Window->Update_Timer()->isActive());

    On_Next_Modal([](QWidget* Dialog) {
        QTest::mouseClick(Child<QWidget>(Dialog, "CB_En_Con"), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(Child<QWidget>(Dialog, "CB_Update"), Qt::LeftButton, {}, QPoint(5, 5));
        Click(Dialog, "Btn_OK");
    });
    Click(Window.get(), "Btn_Opz");
    EXPECT_TRUE(State.Enable_Internet && State.Enable_Update);
    EXPECT_TRUE(Window->Update_Timer()->isActive());
    EXPECT_EQ(Window->Update_Timer()->interval(), 60000);
    vo::Shared_State Reread;
    vo::Set_Folders(Reread, Dir.path());
    vo::Read_Settings(Reread);
    EXPECT_TRUE(Reread.Enable_Internet && Reread.Enable_Update);
}

TEST_F(Main_Window, Language_Change_Relabels_The_Windows_But_Not_The_About_Box) {
    Start();
    // The new-configuration dialog is made before the change, the open dialog after it.
    QWidget* New_Project = Window->New_Project_Dialog();
    State.Lang_Strings[0] = QStringLiteral("Anfang");
    State.Lang_Strings[100] = QStringLiteral("Neue Konfiguration");
    State.Lang_Strings[202] = QStringLiteral("Konfigurationen");
    Window->Change_Language();
    EXPECT_EQ(Label("L_Begin"), QStringLiteral("Anfang"));
    EXPECT_EQ(New_Project->windowTitle(), QStringLiteral("Neue Konfiguration"));
    EXPECT_EQ(Child<QLabel>(Window->Open_Dialog(), "Label1")->text(), QStringLiteral("Konfigurationen"));
}

// A path wider than the box would choose is never wrapped at a separator: the box widens to show
// it on one line.
TEST(Message_Box, A_Long_Path_Stays_On_One_Line) {
    const QString Path = QStringLiteral(
        "/opt/vorlent/configurator/projects/Impianto_di_trattamento_acque_reflue/bin/Ser_40913_Update");
    int Lines = 0;
    QString Shown;
    On_Next_Modal([&](QWidget* Box) {
        auto* Label = Box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(Label, nullptr);
        Lines = Label->height() / Label->fontMetrics().lineSpacing();
        Shown = Label->text();
    });
    vo::Box_Messages(QStringLiteral("Test")).Error(Path);
    EXPECT_EQ(Lines, 1);
    EXPECT_EQ(Shown.remove(QChar(0x2060)), Path);
}
