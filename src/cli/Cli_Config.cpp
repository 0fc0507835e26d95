#include "Cli_Config.h"

#include "Commands.h"
#include "params/Par_Gen_Check.h"
#include "params/Par_Gen_File.h"
#include "shell/Startup.h"
#include "util/Config_Path.h"
#include "util/Path_Join.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>

namespace vo {

namespace {

// No configuration name holds a separator, so a value with one can only be a path.
bool Is_Path(const QString& Config) {
    return Config.contains(u'/') || Config.contains(Native_Separator());
}

} // namespace

bool Open_Config(Cli_Context& Context, const QString& Config) {
    Shared_State& State = Context.State;
    QString Path;
    if (!Is_Valid_File_Name(Config)) {
        Context.Err << "vo40913-cli: \"" << Cut_For_Message(Config)
                    << "\" holds bytes that are not valid in the file system's encoding (UTF-8)\n";
        return false;
    }
    if (Is_Path(Config)) {
        Path = QDir::toNativeSeparators(QDir::cleanPath(Config));
    } else if (Is_Safe_Configuration_Name(Config)) {
        Path = Join_Path(State.Projects_Dir, Config);
    } else {
        Context.Err << "vo40913-cli: \"" << Cut_For_Message(Config)
                    << "\" is not a configuration name (a folder path must contain \"/\")\n";
        return false;
    }
    if (!QFileInfo(Path).isDir()) {
        Context.Err << "vo40913-cli: no configuration folder \"" << Cut_For_Message(Path) << "\"\n";
        return false;
    }
    // A path could name any folder: only one that looks like a configuration is one.
    if (const Status Is_Configuration = Is_Path(Config) ? Is_Configuration_Folder(Path) : Status();
        !Is_Configuration) {
        Context.Err << "vo40913-cli: " << Is_Configuration.Error() << '\n';
        return false;
    }
    Open_Configuration_Folder(State, Path);
    return true;
}

int Usage_Error(Cli_Context& Context, const char* Name) {
    Context.Err << "Usage: vo40913-cli " << Find_Command(QLatin1String(Name))->Usage << '\n';
    return Exit_Usage;
}

void Print_Message(Cli_Context& Context, int Id) {
    Context.Err << Context.State.Text(Id) << '\n';
}

std::optional<Par_Gen> Load_Config(Cli_Context& Context, const QString& Config, Par_Reading Reading) {
    if (!Open_Config(Context, Config))
        return std::nullopt;
    return Load_Open_Config(Context, Reading);
}

std::optional<Par_Gen> Load_Open_Config(Cli_Context& Context, Par_Reading Reading) {
    Par_Gen Set;
    const QString& File = Context.State.ParGen_File;
    if (const Status Loaded =
            Reading == Par_Reading::As_Dialog ? Load_Par_Gen(File, Set) : Load_Par_Gen_To_Change(File, Set);
        !Loaded) {
        Context.Err << "vo40913-cli: " << Loaded.Error() << '\n';
        return std::nullopt;
    }
    return Set;
}

int Run_Checks(Cli_Context& Context, const Par_Gen& Set) {
    const int Id = Controllo_Dati(Set, Shown_View(Set));
    if (Id != 0)
        Print_Message(Context, Id);
    return Id;
}

} // namespace vo
