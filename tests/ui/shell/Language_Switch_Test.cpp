#include "Loopback_Http_Server.h"
#include "Qt_Print.h"
#include "Ui_Fixture.h"
#include "lang/String_Table.h"
#include "options/Qt_Texts.h"
#include "options/Version_Checker.h"
#include "params/Par_Gen_File.h"
#include "shell/Startup.h"
#include "shell/TFVorlentFirmWare.h"
#include "workspace/Workspace.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <memory>

using namespace vo::test;

namespace {

// A user with the shipped languages and four more (two pages of them), one configuration open
// under a long name, and a newer version on offer.
class Language_Switch : public testing::Test {
protected:
    void SetUp() override {
        vo::Set_Folders(State, Dir.path());
        vo::Create_Folders(State);
        for (const QString& Language :
             {QStringLiteral("Deutsch"), QStringLiteral("English"), QStringLiteral("Italiano")})
            ASSERT_TRUE(QFile::copy(QStringLiteral(VO_SOURCE_DIR "/data/LANGUAGE/") + Language +
                                        QStringLiteral(".lng"),
                                    QDir(State.Language_Dir).filePath(Language + QStringLiteral(".lng"))));
        for (const char* Extra : {"Zz1", "Zz2", "Zz3", "Zz4"}) {
            QFile File(QDir(State.Language_Dir).filePath(QLatin1String(Extra) + QStringLiteral(".lng")));
            ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        }
        vo::Start_Up(State, Dir.path());
        State.Enable_Internet = true;
        State.Enable_Update = true;
        ASSERT_EQ(vo::Create_Configuration(State, Long_Name), 0);
        // The dialog's parameters confirmed, so that its update step opens the update dialog.
        ASSERT_TRUE(vo::Save_Par_Gen(vo::Missing_File_Par_Gen(), State.ParGen_File));
        Window = std::make_unique<vo::TFVorlentFirmWare>(State, Services.Svc);
        Window->show();
        vo_test::Loopback_Http_Server Server(vo_test::Http_Response(200, "VER. 9.999"));
        Services.Svc.Version.Server_Url = QString::fromStdString(Server.Url());
        QSignalSpy Finished(Window->Update_Checker(), &vo::Version_Checker::Finished);
        Window->Timer_UpdateTimer();
        ASSERT_TRUE(Finished.wait(5000));
    }

    // Qt's own texts go back to English for the tests that follow.
    void TearDown() override { vo::Follow_Qt_Texts(QStringLiteral("English")); }

    // Chooses Italiano in the options and confirms with OK.
    void Switch_To_Italiano() {
        Services.Msgs.Answers.append(true);
        On_Next_Modal([](QWidget* Dialog) {
            Click(Dialog, "L_L3");
            Click(Dialog, "Btn_OK");
        });
        Click(Window.get(), "Btn_Opz");
        ASSERT_EQ(State.Language_Name, QStringLiteral("Italiano"));
    }

    const QString Long_Name =
        QStringLiteral("Impianto di trattamento acque reflue numero 12 - linea nord - quadro QE7");
    QTemporaryDir Dir;
    vo::Shared_State State;
    Test_Services Services;
    std::unique_ptr<vo::TFVorlentFirmWare> Window;
};

// Every text a user sees in Window: its title, the labels (links as their text), buttons and
// tabs shown.
QStringList Visible_Texts(QWidget* Window) {
    QStringList Texts{Window->windowTitle()};
    for (QWidget* Child : Window->findChildren<QWidget*>()) {
        if (!Child->isVisibleTo(Window))
            continue;
        if (auto* Label = qobject_cast<QLabel*>(Child))
            Texts.append(QTextDocumentFragment::fromHtml(Label->text()).toPlainText());
        else if (auto* Button = qobject_cast<QAbstractButton*>(Child))
            Texts.append(Button->text());
        else if (auto* Tabs = qobject_cast<QTabBar*>(Child))
            for (int Tab = 0; Tab < Tabs->count(); ++Tab)
                Texts.append(Tabs->tabText(Tab));
    }
    Texts.removeAll(QString());
    return Texts;
}

// The texts of Shown that are English: an entry of the built-in table that Italiano changes, in
// full or after a panel's number.
QStringList English_Among(const QStringList& Shown, const QStringList& Italian) {
    QStringList English;
    vo::Load_Default_Strings(English);
    QStringList Found;
    for (const QString& Text : Shown) {
        for (int Id = 0; Id < English.size(); ++Id) {
            const QString& Entry = English[Id];
            if (Entry.trimmed().size() < 3 || Entry == Italian[Id] || Italian.contains(Text))
                continue;
            if (Text == Entry || Text.endsWith(QStringLiteral(". ") + Entry) || Text.startsWith(Entry))
                Found.append(QStringLiteral("%1 (entry %2)").arg(Text).arg(Id));
        }
    }
    return Found;
}

} // namespace

TEST_F(Language_Switch, After_Italiano_Every_Window_Shows_Italian) {
    Switch_To_Italiano();
    const QStringList Italian = State.Lang_Strings;
    EXPECT_EQ(English_Among(Visible_Texts(Window.get()), Italian), QStringList());
    EXPECT_EQ(Child<QLabel>(Window.get(), "LL_Update")->toolTip(), Italian[19]);

    for (const char* Opener : {"Btn_New", "Btn_Open", "Btn_Opz", "Btn_Prm_Gen", "Btn_CreateBin"}) {
        SCOPED_TRACE(Opener);
        QStringList Shown;
        On_Next_Modal([&](QWidget* Dialog) {
            Shown = Visible_Texts(Dialog);
            if (Dialog->objectName() == u"TFSoftOptions")
                Shown.append(Child<QLabel>(Dialog, "L_Page_Lang")->text());
        });
        Click(Window.get(), Opener);
        EXPECT_FALSE(Shown.isEmpty());
        EXPECT_EQ(English_Among(Shown, Italian), QStringList()) << Shown.join(u'|').toStdString();
        if (QLatin1String(Opener) == "Btn_Opz") {
            EXPECT_TRUE(Shown.contains(QStringLiteral("Pagina 1 / 2"))) << Shown.join(u'|').toStdString();
        }
        if (QLatin1String(Opener) == "Btn_Prm_Gen") {
            EXPECT_TRUE(Shown.contains(QStringLiteral("3. ") + Italian[419]));
        }
    }

    // The serial variant shows the port row.
    vo::Par_Gen Serial = vo::Default_Par_Gen(0);
    ASSERT_TRUE(vo::Save_Par_Gen(Serial, State.ParGen_File));
    QString Port_Label;
    On_Next_Modal([&](QWidget* Dialog) { Port_Label = Child<QLabel>(Dialog, "L_COM_Port")->text(); });
    Click(Window.get(), "Btn_CreateBin");
    EXPECT_EQ(Port_Label, Italian[1070]);

    // Qt's own buttons of a question.
    QStringList Buttons;
    On_Next_Modal([&](QWidget* Box) {
        for (QAbstractButton* Button : Box->findChildren<QAbstractButton*>())
            Buttons.append(Button->text());
    });
    vo::Box_Messages(State.Main_Caption).Confirm(Italian[316]);
    EXPECT_TRUE(Buttons.contains(QStringLiteral("&Sì"))) << Buttons.join(u'|').toStdString();
    EXPECT_FALSE(Buttons.contains(QStringLiteral("&Yes")));
}

TEST_F(Language_Switch, The_Long_Link_And_The_Long_Name_Stay_Inside_Their_Frames) {
    Switch_To_Italiano();
    auto* Link = Child<QLabel>(Window.get(), "LL_Update");
    ASSERT_TRUE(Link->isVisible());
    EXPECT_LE(Link->geometry().right(), Child<QWidget>(Window.get(), "Btn_Info")->x());
    EXPECT_EQ(Link->toolTip(), State.Text(19));

    auto* Name = Child<QLabel>(Window.get(), "L_Name_Conf_L2");
    const QRect Frame = Child<QWidget>(Window.get(), "Shape2")->geometry();
    EXPECT_TRUE(Frame.contains(Name->geometry())) << Name->geometry().width();
    EXPECT_EQ(Name->toolTip(), Long_Name);
    EXPECT_TRUE(Name->text().endsWith(QChar(0x2026))) << Name->text().toStdString();
}
