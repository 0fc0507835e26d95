#include "Qt_Print.h"
#include "Ui_Fixture.h"
#include "options/TFSoftOptions.h"
#include "shell/Startup.h"
#include "shell/TFVorlentFirmWare.h"
#include "workspace/TFNew_Project.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>
#include <sys/stat.h>

using namespace vo::test;

namespace {

class Options_Dialog : public testing::Test {
protected:
    void SetUp() override { QDir(Dir.path()).mkpath(QStringLiteral("LANGUAGE")); }

    void Add_Language(const QString& Name, const QByteArray& Text = "STR0 = Start\n") {
        QFile File(Dir.filePath(QStringLiteral("LANGUAGE/") + Name + QStringLiteral(".lng")));
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Text);
    }

    void Add_Shipped(const char* File_Name) {
        const QString Source = QStringLiteral(VO_SOURCE_DIR "/data/LANGUAGE/") + QString::fromUtf8(File_Name);
        ASSERT_TRUE(
            QFile::copy(Source, Dir.filePath(QStringLiteral("LANGUAGE/") + QString::fromUtf8(File_Name))));
    }

    void Start() {
        vo::Start_Up(State, Dir.path());
        Window = std::make_unique<vo::TFVorlentFirmWare>(State, Services.Svc);
        Window->show();
    }

    // Opens the options from the main window and runs Action on them.
    void With_Options(std::function<void(QWidget*)> Action) {
        On_Next_Modal(std::move(Action));
        Click(Window.get(), "Btn_Opz");
    }

    static QString Text(QWidget* Dialog, const char* Name) { return Child<QLabel>(Dialog, Name)->text(); }
    static bool Shown(QWidget* Dialog, const char* Name) {
        return Child<QWidget>(Dialog, Name)->isVisibleTo(Dialog);
    }

    QTemporaryDir Dir;
    vo::Shared_State State;
    Test_Services Services;
    std::unique_ptr<vo::TFVorlentFirmWare> Window;
};

} // namespace

TEST_F(Options_Dialog, Seven_Languages_Take_Two_Pages) {
    for (const char* Name : {"a", "B", "c", "D", "e", "F", "g"})
        Add_Language(QString::fromUtf8(Name));
    Start();
    With_Options([](QWidget* Dialog) {
        EXPECT_EQ(Text(Dialog, "L_Page_Lang"), QStringLiteral("Page 1 / 2"));
        EXPECT_FALSE(Shown(Dialog, "Btn_Prev"));
        EXPECT_TRUE(Shown(Dialog, "Btn_Next"));
        EXPECT_EQ(Text(Dialog, "L_L1"), QStringLiteral("a"));
        EXPECT_EQ(Text(Dialog, "L_L3"), QStringLiteral("c"));
        EXPECT_EQ(Text(Dialog, "L_L4"), QStringLiteral("D"));
        EXPECT_EQ(Child<QWidget>(Dialog, "L_L4")->x(), 310);
        EXPECT_TRUE(Shown(Dialog, "L_L6"));
        Click(Dialog, "Btn_Next");
        EXPECT_EQ(Text(Dialog, "L_Page_Lang"), QStringLiteral("Page 2 / 2"));
        EXPECT_EQ(Text(Dialog, "L_L1"), QStringLiteral("g"));
        EXPECT_FALSE(Shown(Dialog, "L_L2"));
        EXPECT_TRUE(Shown(Dialog, "Btn_Prev"));
        EXPECT_FALSE(Shown(Dialog, "Btn_Next"));
        Click(Dialog, "Btn_Prev");
        EXPECT_EQ(Text(Dialog, "L_Page_Lang"), QStringLiteral("Page 1 / 2"));
    });
}

TEST_F(Options_Dialog, Six_Languages_Or_None) {
    Start();
    With_Options([](QWidget* Dialog) {
        EXPECT_EQ(Text(Dialog, "L_Page_Lang"), QStringLiteral("Page 1 / 0"));
        EXPECT_FALSE(Shown(Dialog, "L_L1"));
        EXPECT_TRUE(Shown(Dialog, "Btn_Next"));
        Click(Dialog, "Btn_Next");
        EXPECT_EQ(Text(Dialog, "L_Page_Lang"), QStringLiteral("Page 1 / 0"));
    });
    for (const char* Name : {"a", "b", "c", "d", "e", "f"})
        Add_Language(QString::fromUtf8(Name));
    With_Options([](QWidget* Dialog) {
        EXPECT_EQ(Text(Dialog, "L_Page_Lang"), QStringLiteral("Page 1 / 1"));
        EXPECT_FALSE(Shown(Dialog, "Btn_Prev"));
        EXPECT_FALSE(Shown(Dialog, "Btn_Next"));
        EXPECT_TRUE(Shown(Dialog, "L_L6"));
    });
}

TEST_F(Options_Dialog, Flags_Fall_Back_On_The_Default_Flag_Or_None) {
    Add_Shipped("Deutsch.bmp");
    Add_Language(QStringLiteral("Deutsch"));
    Add_Language(QStringLiteral("Klingon"));
    Start();
    With_Options([](QWidget* Dialog) {
        EXPECT_TRUE(Shown(Dialog, "I_L1"));
        EXPECT_FALSE(Shown(Dialog, "I_L2"));
        EXPECT_TRUE(Shown(Dialog, "L_L2"));
    });
    Add_Shipped("DefaultFlag.bmp");
    With_Options([](QWidget* Dialog) { EXPECT_TRUE(Shown(Dialog, "I_L2")); });
}

TEST_F(Options_Dialog, A_Flag_That_Is_A_Pipe_Or_A_Device_Shows_None_And_Never_Blocks) {
    Add_Language(QStringLiteral("Deutsch"));
    Add_Language(QStringLiteral("Zero"));
    ASSERT_EQ(
        mkfifo(QFile::encodeName(Dir.filePath(QStringLiteral("LANGUAGE/Deutsch.bmp"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Dir.filePath(QStringLiteral("LANGUAGE/Zero.bmp"))));
    Start();
    With_Options([](QWidget* Dialog) {
        EXPECT_TRUE(Shown(Dialog, "L_L1"));
        EXPECT_FALSE(Shown(Dialog, "I_L1"));
        EXPECT_FALSE(Shown(Dialog, "I_L2"));
    });
}

TEST_F(Options_Dialog, Choosing_A_Language_Asks_And_Relabels_Every_Window_At_Once) {
    Add_Shipped("English.lng");
    Add_Shipped("Italiano.lng");
    Start();
    // A dialog made before the change must be relabelled by it.
    Window->New_Project_Dialog();
    Services.Msgs.Answers = {false, true};
    With_Options([](QWidget* Dialog) {
        Click(Dialog, "L_L2");
        EXPECT_EQ(Dialog->windowTitle(), QStringLiteral("Software Options"));
        Click(Dialog, "I_L2");
        EXPECT_NE(Dialog->windowTitle(), QStringLiteral("Software Options"));
        EXPECT_EQ(Text(Dialog, "L_Sel_Lang"), Child<QLabel>(Dialog, "L_Sel_Lang")->text());
        EXPECT_TRUE(Text(Dialog, "L_Sel_Lang").endsWith(QStringLiteral("Italiano")));
        Click(Dialog, "Btn_Cancel");
    });
    ASSERT_EQ(Services.Msgs.Shown.size(), 2);
    EXPECT_EQ(Services.Msgs.Shown[0].Text,
              QStringLiteral("Do you want to change the Language from English to Italiano?"));
    EXPECT_EQ(Services.Msgs.Shown[0].Kind, QStringLiteral("confirm"));
    // Cancel leaves the new texts on screen but keeps the remembered language.
    EXPECT_EQ(State.Language_Name, QStringLiteral("English"));
    EXPECT_NE(Child<QPushButton>(Window.get(), "Btn_New")->text(), QStringLiteral("New Configuration"));
    EXPECT_NE(Window->New_Project_Dialog()->windowTitle(), QStringLiteral("Create New Configuration"));

    Services.Msgs.Answers = {true};
    With_Options([](QWidget* Dialog) {
        Click(Dialog, "L_L2");
        Click(Dialog, "Btn_OK");
    });
    EXPECT_EQ(State.Language_Name, QStringLiteral("Italiano"));
}

TEST_F(Options_Dialog, The_Update_Box_Follows_The_Internet_Box_And_Keeps_Its_Tick) {
    Start();
    With_Options([](QWidget* Dialog) {
        auto* Internet = Child<QCheckBox>(Dialog, "CB_En_Con");
        auto* Update = Child<QCheckBox>(Dialog, "CB_Update");
        auto* Check = Child<QPushButton>(Dialog, "Btn_Check_Update");
        EXPECT_FALSE(Update->isEnabled());
        EXPECT_FALSE(Check->isEnabled());
        Internet->click();
        EXPECT_TRUE(Update->isEnabled());
        EXPECT_FALSE(Check->isEnabled());
        Update->click();
        EXPECT_TRUE(Check->isEnabled());
        Internet->click();
        EXPECT_FALSE(Update->isEnabled());
        EXPECT_TRUE(Update->isChecked());
        EXPECT_FALSE(Check->isEnabled());
        Click(Dialog, "Btn_OK");
    });
    EXPECT_FALSE(State.Enable_Internet);
    EXPECT_TRUE(State.Enable_Update);
    EXPECT_FALSE(Window->Update_Timer()->isActive());
}

TEST_F(Options_Dialog, Check_Update_Shows_The_Link_Or_No_Update) {
    Start();
    State.Enable_Internet = State.Enable_Update = true;
    const struct {
        const char* Reply;
        const char* Shown;
        bool Is_Link;
    } Cases[] = {{"VER. 2.003", "New Version Available. Click Here for more Details", true},
                 {"VER. 2.002", "No Update Available", false}};
    for (const auto& Case : Cases) {
        vo_test::Loopback_Http_Server Server(vo_test::Http_Response(200, Case.Reply));
        Services.Svc.Version.Server_Url = QString::fromStdString(Server.Url());
        With_Options([&](QWidget* Dialog) {
            Child<QTabWidget>(Dialog, "PC_Options")->setCurrentIndex(1);
            auto* Link = Child<QLabel>(Dialog, "LL_Check_Update");
            EXPECT_FALSE(Link->isVisible());
            Click(Dialog, "Btn_Check_Update");
            EXPECT_TRUE(QTest::qWaitFor([Link] { return Link->isVisible(); }, 5000));
            EXPECT_TRUE(Link->text().contains(QString::fromUtf8(Case.Shown))) << Link->text().toStdString();
            EXPECT_EQ(Link->text().contains(QStringLiteral("download.asp#DU40913")), Case.Is_Link);
            Click(Dialog, "Btn_Cancel");
        });
    }
}
