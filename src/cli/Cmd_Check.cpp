#include "Cli_Config.h"
#include "Cli_Json.h"
#include "update/Update_Preparation.h"
#include "update/Update_Session.h"

namespace vo {

// check CONFIG: the checks on confirmation over the parameters as loaded; "OK" or the message. A
// configuration whose parameters were never saved fails as an update would: the defaults the
// dialog shows are not what its images would carry.
int Run_Check(Cli_Context& Context) {
    const bool Json = Take_Option(Context.Args, QStringLiteral("--json"));
    if (Context.Args.size() != 1)
        return Usage_Error(Context, "check");
    const std::optional<Par_Gen> Set = Load_Config(Context, Context.Args.first(), Par_Reading::To_Change);
    if (!Set)
        return Exit_Failed;
    const bool Saved = Parameters_Saved(Context.State).Has_Value();
    int Id = Saved ? Run_Checks(Context, *Set) : Msg_Parameters_Never_Saved;
    if (!Saved && !Json)
        Print_Message(Context, Id);
    // Values no dialog gives (a hand-edited file) pass the dialog's checks but not the launch's.
    QString Message = Id == 0 ? QString() : Context.State.Text(Id);
    if (const Status Fit = Id == 0 ? Images_Would_Pass(Context.State) : Status(); !Fit) {
        Id = Msg_Images_Unfit;
        Message = Fit.Error();
        if (!Json)
            Context.Err << Message << '\n';
    }
    if (Json) {
        Print_Json(Context, {{QStringLiteral("configuration"), Context.State.Project_Path},
                             {QStringLiteral("ok"), Id == 0},
                             {QStringLiteral("message_id"), Id},
                             {QStringLiteral("message"), Message}});
        return Id == 0 ? Exit_Ok : Exit_Failed;
    }
    if (Id != 0)
        return Exit_Failed;
    Context.Out << "OK\n";
    return Exit_Ok;
}

} // namespace vo
