#include "Startup.h"

#include "Settings_File.h"
#include "Shared_State.h"
#include "Software_Info.h"
#include "lang/String_Table.h"
#include "util/Path_Join.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>

namespace vo {

void Set_Folders(Shared_State& State, const QString& Exe_Dir) {
    // Qt gives the folder with "/"; every path built from it is shown, stored or handed to an
    // updater, so it takes the system's own separator here, once.
    State.Exe_Dir = QDir::toNativeSeparators(Exe_Dir);
    State.Master_Dir = Join_Path(State.Exe_Dir, QStringLiteral("MASTER"));
    State.Projects_Dir = Join_Path(State.Exe_Dir, QStringLiteral("PROJECTS"));
    State.Language_Dir = Join_Path(State.Exe_Dir, QStringLiteral("LANGUAGE"));
}

void Create_Folders(const Shared_State& State) {
    for (const QString& Folder : {State.Master_Dir, State.Projects_Dir, State.Language_Dir}) {
        if (!QFileInfo(Folder).isDir())
            QDir().mkdir(Folder);
    }
}

void Set_Files(Shared_State& State) {
    State.ParGen_File = Join_Path(State.Project_Path, QStringLiteral("ParGen.xml"));
}

void Start_Up(Shared_State& State, const QString& Exe_Dir) {
    State.Lang_Strings.clear();
    Set_Folders(State, Exe_Dir);
    Create_Folders(State);
    State.Project_Name.clear();
    State.Read_Back_Enabled = true;
    Read_Settings(State);
    State.Main_Caption = Main_Caption_Text;
    State.Software_Code = Software_Code_Text;
    State.Software_Description = Software_Description_Text;
    Load_Language(State);

    const QString Remembered = State.Project_Name;
    // A name that reaches outside PROJECTS is not reopened, whatever the settings file says.
    const bool Reopen = Is_Safe_Configuration_Name(Remembered) &&
                        QFileInfo(Join_Path(State.Projects_Dir, Remembered)).isDir();
    Open_Configuration(State, Reopen ? Remembered : QString());
}

bool Update_Timer_Wanted(const Shared_State& State) {
    return State.Enable_Internet && State.Enable_Update;
}

} // namespace vo
