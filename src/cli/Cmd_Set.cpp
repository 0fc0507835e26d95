#include "Cli_Config.h"
#include "params/Par_Gen_Assign.h"
#include "params/Par_Gen_File.h"
#include "util/Config_Path.h"
#include "util/Writer_Lock.h"

namespace vo {

// set CONFIG Element=value ...: the changes in the order given, as a user makes them in the
// dialog, then OK: the checks, and ParGen.xml written only when they pass.
int Run_Set(Cli_Context& Context) {
    if (Context.Args.size() < 2)
        return Usage_Error(Context, "set");
    const QStringList Changes = Context.Args.mid(1);
    for (const QString& Change : Changes) {
        if (!Change.contains(u'=')) {
            Context.Err << "vo40913-cli: \"" << Cut_For_Message(Change)
                        << "\" is not of the form Element=value\n";
            return Usage_Error(Context, "set");
        }
    }
    if (!Open_Config(Context, Context.Args.first()))
        return Exit_Failed;
    // Read, changed and written under the lock: a second writer's change is never lost.
    Writer_Lock Lock(Lock_Of::Configuration, Context.State.Project_Path);
    if (const Status Locked = Lock.Acquire(); !Locked) {
        Context.Err << "vo40913-cli: " << Context.State.Text(Msg_Configuration_Busy) << Locked.Error()
                    << '\n';
        return Exit_Failed;
    }
    std::optional<Par_Gen> Set = Load_Open_Config(Context, Par_Reading::To_Change);
    if (!Set)
        return Exit_Failed;
    for (const QString& Change : Changes) {
        if (const Status Applied = Apply_Par_Gen_Text(*Set, Change); !Applied) {
            Context.Err << "vo40913-cli: " << Applied.Error() << '\n';
            return Exit_Failed;
        }
    }
    if (Run_Checks(Context, *Set) != 0)
        return Exit_Failed;
    if (const Status Saved = Save_Par_Gen(*Set, Context.State.ParGen_File); !Saved) {
        Context.Err << "vo40913-cli: " << Saved.Error() << '\n';
        return Exit_Failed;
    }
    return Exit_Ok;
}

} // namespace vo
