#include "Cli_Config.h"

namespace vo {

// check CONFIG: the checks on confirmation over the parameters as loaded; "OK" or the message.
int Run_Check(Cli_Context& Context) {
    if (Context.Args.size() != 1)
        return Usage_Error(Context, "check");
    const std::optional<Par_Gen> Set = Load_Config(Context, Context.Args.first(), Par_Reading::To_Change);
    if (!Set)
        return Exit_Failed;
    if (Run_Checks(Context, *Set) != 0)
        return Exit_Failed;
    Context.Out << "OK\n";
    return Exit_Ok;
}

} // namespace vo
