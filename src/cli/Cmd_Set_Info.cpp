#include "Cli_Config.h"
#include "history/Commissioning_Info.h"
#include "util/Config_Path.h"
#include "util/Writer_Lock.h"

namespace vo {

// set-info CONFIG key=value ...: the commissioning data the report prints, changed in the order
// given and saved only when every value fits.
int Run_Set_Info(Cli_Context& Context) {
    if (Context.Args.size() < 2)
        return Usage_Error(Context, "set-info");
    for (const QString& Change : Context.Args.mid(1)) {
        if (!Change.contains(u'=')) {
            Context.Err << "vo40913-cli: \"" << Cut_For_Message(Change)
                        << "\" is not of the form key=value\n";
            return Usage_Error(Context, "set-info");
        }
    }
    if (!Open_Config(Context, Context.Args.first()))
        return Exit_Failed;
    const QString& Project = Context.State.Project_Path;
    // The same lock as the parameters: two writers never lose each other's change.
    Writer_Lock Lock(Lock_Of::Configuration, Project);
    if (const Status Locked = Lock.Acquire(); !Locked) {
        Context.Err << "vo40913-cli: " << Context.State.Text(Msg_Configuration_Busy) << Locked.Error()
                    << '\n';
        return Exit_Failed;
    }
    Result<Commissioning_Info> Info = Read_Commissioning_Info(Project);
    if (!Info) {
        Context.Err << "vo40913-cli: " << Info.Error() << '\n';
        return Exit_Failed;
    }
    for (const QString& Change : Context.Args.mid(1)) {
        if (const Status Applied = Set_Info_Text(*Info, Change); !Applied) {
            Context.Err << "vo40913-cli: " << Applied.Error() << '\n';
            return Exit_Failed;
        }
    }
    if (const Status Saved = Save_Commissioning_Info(Project, *Info); !Saved) {
        Context.Err << "vo40913-cli: " << Context.State.Text(Msg_Info_Not_Saved) << Saved.Error() << '\n';
        return Exit_Failed;
    }
    return Exit_Ok;
}

} // namespace vo
