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

QString Terminal_Text(const QString& Text) {
    QString Safe;
    Safe.reserve(Text.size());
    for (qsizetype I = 0; I < Text.size(); ++I) {
        const QChar C = Text[I];
        const char16_t Code = C.unicode();
        if (C.isHighSurrogate() && I + 1 < Text.size() && Text[I + 1].isLowSurrogate()) {
            Safe += C;
            Safe += Text[++I];
            continue;
        }
        const bool Turning = (Code >= 0x202A && Code <= 0x202E) || (Code >= 0x2066 && Code <= 0x2069) ||
                             Code == 0x200E || Code == 0x200F || Code == 0x061C;
        if (Code < 0x20 || Code == 0x7F || (Code >= 0x80 && Code < 0xA0))
            Safe += QStringLiteral("\\x%1").arg(static_cast<int>(Code), 2, 16, QChar(u'0'));
        else if (Turning || C.isSurrogate())
            Safe += QStringLiteral("\\u%1").arg(static_cast<int>(Code), 4, 16, QChar(u'0'));
        else
            Safe += C;
    }
    return Safe;
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
