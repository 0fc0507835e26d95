#include "Qt_Print.h"
#include "Ui_Fixture.h"
#include "lang/String_Table.h"
#include "shell/Startup.h"
#include "workspace/TFNew_Project.h"
#include "workspace/TFOpenConf.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

using namespace vo::test;

namespace {

class Workspace_Dialogs : public testing::Test {
protected:
    void SetUp() override {
        vo::Set_Folders(State, Dir.path());
        vo::Create_Folders(State);
        vo::Load_Default_Strings(State.Lang_Strings);
        State.Software_Code = QStringLiteral("VO40913");
    }

    // Shows the new-configuration dialog, types Name and confirms with OK or with Enter.
    int Create(const QString& Name, bool With_Enter) {
        vo::TFNew_Project Dialog(State, Msgs, nullptr);
        On_Next_Modal([&](QWidget* Shown) {
            auto* Edit = Child<QLineEdit>(Shown, "E_New_Proj");
            EXPECT_TRUE(Edit->text().isEmpty());
            QTest::keyClicks(Edit, Name);
            if (With_Enter)
                QTest::keyClick(Edit, Qt::Key_Return);
            else
                Click(Shown, "Btn_OK");
            Stayed_Open = Shown->isVisible();
        });
        return Dialog.exec();
    }

    QTemporaryDir Dir;
    vo::Shared_State State;
    Recording_Messages Msgs;
    bool Stayed_Open = false;
};

} // namespace

TEST_F(Workspace_Dialogs, New_Configuration_Messages_Keep_The_Dialog_Open) {
    QDir(State.Projects_Dir).mkdir(QStringLiteral("Existing"));
    const struct {
        QString Name;
        const char* Message;
    } Cases[] = {
        {QString(), "Error! Name Project is not valid"},
        {QStringLiteral("Existing"), "Error! Name project is not valid because directory already exists"},
        {QStringLiteral("  "), "Error! Name project is not valid"},
        {QStringLiteral(".."), "Error! Name project is not valid"},
        {QStringLiteral("a/b"), "Error! Name project is not valid"},
        {QStringLiteral("a\\b"), "Error! Name project is not valid"},
    };
    for (bool With_Enter : {false, true}) {
        for (const auto& Case : Cases) {
            Msgs.Shown.clear();
            EXPECT_EQ(Create(Case.Name, With_Enter), vo::Modal_Cancel);
            EXPECT_TRUE(Stayed_Open) << Case.Name.toStdString();
            ASSERT_EQ(Msgs.Shown.size(), 1) << Case.Name.toStdString();
            EXPECT_EQ(Msgs.Shown[0].Kind, QStringLiteral("error"));
            EXPECT_EQ(Msgs.Shown[0].Text, QString::fromUtf8(Case.Message)) << Case.Name.toStdString();
        }
    }
    EXPECT_EQ(QDir(State.Projects_Dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Existing")});
    EXPECT_FALSE(State.Project_Open());
}

TEST_F(Workspace_Dialogs, Enter_In_The_Name_Box_Creates_Like_Ok) {
    EXPECT_EQ(Create(QStringLiteral("Plant1"), true), vo::Modal_Ok);
    EXPECT_TRUE(Msgs.Shown.isEmpty());
    EXPECT_TRUE(QFileInfo(State.Projects_Dir + QStringLiteral("/Plant1/bin")).isDir());
    EXPECT_EQ(State.Project_Name, QStringLiteral("Plant1"));
}

TEST_F(Workspace_Dialogs, Open_Dialog_Preselects_The_Open_Configuration_Ignoring_Ascii_Case) {
    for (const char* Name : {"Alpha", "plant1", "Zeta"})
        QDir(State.Projects_Dir).mkdir(QString::fromUtf8(Name));
    vo::TFOpenConf Dialog(State, nullptr);
    const auto Show = [&] {
        On_Next_Modal([](QWidget* Shown) { Click(Shown, "Btn_OK"); });
        return Dialog.exec();
    };

    State.Project_Path = State.Projects_Dir + QStringLiteral("/PLANT1");
    EXPECT_EQ(Show(), vo::Modal_Ok);
    EXPECT_EQ(Dialog.Name_Conf, QStringLiteral("plant1"));
    EXPECT_EQ(Dialog.SL,
              (QStringList{QStringLiteral("Alpha"), QStringLiteral("plant1"), QStringLiteral("Zeta")}));

    State.Project_Path.clear();
    Show();
    EXPECT_EQ(Dialog.Name_Conf, QStringLiteral("Alpha"));

    QDir(State.Projects_Dir + QStringLiteral("/plant1")).removeRecursively();
    State.Project_Path = State.Projects_Dir + QStringLiteral("/plant1");
    Show();
    EXPECT_EQ(Dialog.Name_Conf, QStringLiteral("Alpha"));
    EXPECT_EQ(Dialog.findChild<QListWidget*>(QStringLiteral("ListBox1"))->count(), 2);

    QDir(State.Projects_Dir).removeRecursively();
    Show();
    EXPECT_EQ(Dialog.Name_Conf, QString());
    EXPECT_TRUE(Dialog.SL.isEmpty());
}

TEST_F(Workspace_Dialogs, Open_Dialog_Preselects_The_Exact_Name_Before_One_Differing_In_Case) {
    for (const char* Name : {"Plant1", "plant1"})
        QDir(State.Projects_Dir).mkdir(QString::fromUtf8(Name));
    vo::TFOpenConf Dialog(State, nullptr);
    for (const QString& Open : {QStringLiteral("plant1"), QStringLiteral("Plant1")}) {
        State.Project_Path = State.Projects_Dir + u'/' + Open;
        QString Highlighted;
        On_Next_Modal([&](QWidget* Shown) {
            auto* List = Child<QListWidget>(Shown, "ListBox1");
            Highlighted = List->currentItem()->text();
            QTest::keyClick(List, Qt::Key_Return);
        });
        EXPECT_EQ(Dialog.exec(), vo::Modal_Ok);
        EXPECT_EQ(Highlighted, Open);
        EXPECT_EQ(Dialog.Name_Conf, Open);
    }
}

TEST_F(Workspace_Dialogs, Open_Dialog_Opens_The_Selection_On_Enter) {
    for (const char* Name : {"A", "B"})
        QDir(State.Projects_Dir).mkdir(QString::fromUtf8(Name));
    vo::TFOpenConf Dialog(State, nullptr);
    On_Next_Modal([](QWidget* Shown) {
        auto* List = Child<QListWidget>(Shown, "ListBox1");
        QTest::keyClick(List, Qt::Key_Down);
        QTest::keyClick(List, Qt::Key_Return);
    });
    EXPECT_EQ(Dialog.exec(), vo::Modal_Ok);
    EXPECT_EQ(Dialog.Name_Conf, QStringLiteral("B"));
}

TEST_F(Workspace_Dialogs, Open_Dialog_Follows_The_Users_Selection) {
    for (const char* Name : {"A", "B", "C"})
        QDir(State.Projects_Dir).mkdir(QString::fromUtf8(Name));
    vo::TFOpenConf Dialog(State, nullptr);
    On_Next_Modal([](QWidget* Shown) {
        auto* List = Child<QListWidget>(Shown, "ListBox1");
        QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, List->visualItemRect(List->item(2)).center());
        Click(Shown, "Btn_Cancel");
    });
    EXPECT_EQ(Dialog.exec(), vo::Modal_Cancel);
    EXPECT_EQ(Dialog.Name_Conf, QStringLiteral("C"));
}

// Shrunk as far as it goes, the open dialog still shows both buttons whole.
TEST_F(Workspace_Dialogs, Open_Dialog_At_Its_Smallest_Shows_Ok_And_Cancel) {
    vo::TFOpenConf Dialog(State, nullptr);
    On_Next_Modal([](QWidget* Shown) {
        Shown->resize(1, 1);
        QApplication::processEvents();
        for (const char* Name : {"Btn_OK", "Btn_Cancel"}) {
            auto* Button = Child<QWidget>(Shown, Name);
            EXPECT_TRUE(Shown->rect().contains(QRect(Button->mapTo(Shown, QPoint(0, 0)), Button->size())))
                << Name << " in " << Shown->width() << " x " << Shown->height();
        }
    });
    Dialog.exec();
}
