#include "Qt_Print.h"
#include "Shown_Path.h"
#include "shell/Settings_File.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Write_Settings_Text(const QString& Exe_Dir, const QByteArray& Xml) {
    QFile File(Exe_Dir + QStringLiteral("/Vorlent.xml"));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Xml);
}

QByteArray Remembering(const char* Name) {
    return QByteArray("<Conf_Settings><lastproj><projectname>") + Name +
           "</projectname></lastproj><lastinternet><enable_internet>1</enable_internet>"
           "<enable_update>1</enable_update></lastinternet></Conf_Settings>";
}

} // namespace

TEST(Start_Up, First_Start_Creates_The_Three_Folders_And_Opens_Nothing) {
    QTemporaryDir Dir;
    vo::Shared_State State;
    vo::Start_Up(State, Dir.path());
    for (const char* Folder : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(QFileInfo(Dir.filePath(QString::fromUtf8(Folder))).isDir()) << Folder;
    EXPECT_EQ(State.Projects_Dir, vo_test::Shown(Dir.path() + QStringLiteral("/PROJECTS")));
    EXPECT_FALSE(State.Project_Open());
    EXPECT_EQ(State.Main_Caption,
              QStringLiteral("Velorin - Configurator VO40913 - Modbus RTU / Modbus ASCII "));
    EXPECT_EQ(State.Software_Code, QStringLiteral("VO40913"));
    EXPECT_EQ(State.Lang_Strings.size(), 1200);
    EXPECT_FALSE(vo::Update_Timer_Wanted(State));
}

TEST(Start_Up, Reopens_The_Remembered_Configuration_Only_When_Its_Folder_Exists) {
    QTemporaryDir Dir;
    QDir(Dir.path()).mkpath(QStringLiteral("PROJECTS/Plant1"));
    vo::Shared_State State;

    Write_Settings_Text(Dir.path(), Remembering("Plant1"));
    vo::Start_Up(State, Dir.path());
    EXPECT_EQ(State.Project_Name, QStringLiteral("Plant1"));
    EXPECT_EQ(State.Project_Path, vo_test::Shown(Dir.path() + QStringLiteral("/PROJECTS/Plant1")));
    EXPECT_EQ(State.ParGen_File, vo_test::Shown(Dir.path() + QStringLiteral("/PROJECTS/Plant1/ParGen.xml")));
    EXPECT_TRUE(vo::Update_Timer_Wanted(State));

    for (const char* Name : {"Deleted", "..", "../PROJECTS/Plant1", ""}) {
        Write_Settings_Text(Dir.path(), Remembering(Name));
        vo::Start_Up(State, Dir.path());
        EXPECT_EQ(State.Project_Name, QString()) << Name;
        EXPECT_EQ(State.Project_Path, QString()) << Name;
    }
}

TEST(Start_Up, Completes_When_The_Folders_Cannot_Be_Created) {
    QTemporaryDir Dir;
    const QString Exe_Dir = Dir.filePath(QStringLiteral("file-not-folder"));
    QFile(Exe_Dir).open(QIODevice::WriteOnly);
    vo::Shared_State State;
    vo::Start_Up(State, Exe_Dir);
    EXPECT_FALSE(State.Project_Open());
    EXPECT_EQ(State.Lang_Strings.size(), 1200);
}
