#include "Cli_Config.h"
#include "util/Config_Path.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>

namespace vo {

// new [--] NAME: a new configuration folder under the rules and messages of the new-configuration
// dialog; its path on standard output. A name that begins with "-" is taken for a mistyped option
// unless it follows "--": a configuration named "--help" is one nobody meant to make.
int Run_New(Cli_Context& Context) {
    const bool After_Dashes = !Context.Args.isEmpty() && Context.Args.first() == u"--";
    if (After_Dashes)
        Context.Args.removeFirst();
    if (Context.Args.size() != 1)
        return Usage_Error(Context, "new");
    if (!After_Dashes && Context.Args.first().startsWith(u'-')) {
        Context.Err << "vo40913-cli: unknown option " << Cut_For_Message(Context.Args.first())
                    << " (a configuration name that begins with \"-\" follows \"--\")\n";
        return Usage_Error(Context, "new");
    }
    // The graphical program makes PROJECTS at start-up; without it every name would be refused
    // with a message about the name.
    const QString& Projects_Dir = Context.State.Projects_Dir;
    if (!QFileInfo(Projects_Dir).isDir() && !QDir().mkdir(Projects_Dir)) {
        Context.Err << "vo40913-cli: cannot create the folder \"" << Projects_Dir << "\"\n";
        return Exit_Failed;
    }
    const QString& Name = Context.Args.first();
    if (const int Id = Create_Configuration(Context.State, Name)) {
        Print_Message(Context, Id);
        if (Id == Msg_Name_Refused)
            Context.Err << "vo40913-cli: " << Name_Refusal_Reason(Context.State, Name) << '\n';
        return Exit_Failed;
    }
    Context.Out << Context.State.Project_Path << '\n';
    return Exit_Ok;
}

} // namespace vo
