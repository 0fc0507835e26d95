#include "Cli_Config.h"
#include "Update_Args.h"
#include "platform/Echo_Probe.h"
#include "update/Address_Check.h"
#include "update/Device_Type.h"
#include "update/Update_Preparation.h"
#include "update/Updater_Launch.h"

namespace vo {

namespace {

// The mode follows the device type as in the window: the other option is the caller's mistake,
// never a reason to switch.
bool Mode_Matches(Cli_Context& Context, const Update_Request& Request, Update_Mode Form_Type) {
    if (Form_Type == Request.Form_Type)
        return true;
    Context.Err << "vo40913-cli: \"" << Context.State.Project_Path << "\" is updated in "
                << (Form_Type == Form_Ethernet
                        ? "Ethernet mode (its Device_Type_Type is 1): use --ip A.B.C.D, not --port\n"
                        : "serial mode (its Device_Type_Type is not 1): use --port DEVICE, not --ip\n");
    return false;
}

// Success only when the updater ended by itself with 0: anything else leaves the device in doubt.
int Report(Cli_Context& Context, const QString& Updater, const Run_Result& Result,
           std::chrono::milliseconds Limit) {
    switch (Result.Outcome) {
    case Run_Result::State::Ended:
        if (Result.Term_Signal != 0) {
            Context.Err << "vo40913-cli: the updater \"" << Updater << "\" was killed by signal "
                        << Result.Term_Signal << '\n';
            return Exit_Failed;
        }
        if (Result.Exit_Code != 0) {
            Context.Err << "vo40913-cli: the updater \"" << Updater << "\" ended with code "
                        << Result.Exit_Code << '\n';
            return Exit_Failed;
        }
        Context.Out << "The updater \"" << Updater << "\" ended with code 0\n";
        return Exit_Ok;
    case Run_Result::State::Still_Running:
        Context.Err << "vo40913-cli: the updater \"" << Updater << "\" is still running after "
                    << std::chrono::duration_cast<std::chrono::seconds>(Limit).count()
                    << " s and is left running (process " << Result.Process_Id << ")\n";
        return Exit_Failed;
    case Run_Result::State::Not_Started:
        break;
    }
    Context.Err << Context.State.Text(Msg_Updater_Not_Started) << QString::fromStdString(Result.Error_Text)
                << '\n';
    return Exit_Failed;
}

int Update_Serial(Cli_Context& Context, const Update_Request& Request, Process_Runner& Runner) {
    const Run_Result Result =
        Serial_Launch(Context.State, Runner, Request.Target, Request.Choice, Request.Wait_Limit);
    return Report(Context, Serial_Updater_Path(Context.State.Exe_Dir), Result, Request.Wait_Limit);
}

// The address check of the dialog, with its messages, before the job file is written.
int Update_Ethernet(Cli_Context& Context, const Update_Request& Request, Process_Runner& Runner) {
    const Ping_Check Check = Send_Ping(*Make_Echo_Probe(), Request.Target, {});
    if (const int Id = Ping_Message(Check)) {
        Print_Message(Context, Id);
        if (!Check.Error_Text.isEmpty())
            Context.Err << "vo40913-cli: " << Check.Error_Text << '\n';
        return Exit_Failed;
    }
    const Run_Result Result =
        Ethernet_Launch(Context.State, Runner, Request.Target, Request.Choice, Request.Wait_Limit);
    return Report(Context, Ethernet_Updater_Path(Context.State.Exe_Dir), Result, Request.Wait_Limit);
}

} // namespace

// update CONFIG (--port DEVICE | --ip A.B.C.D) [--option 0|1|2] [--no-read-back] [--wait-limit SECONDS]:
// the update button of the update dialog without a window. The remembered choices stay in this run:
// the command line never writes the settings file.
int Run_Update(Cli_Context& Context) {
    const std::optional<Update_Request> Request = Parse_Update_Args(Context);
    if (!Request)
        return Exit_Usage;
    if (!Open_Config(Context, Request->Config))
        return Exit_Failed;
    const Update_Preparation Prepared = Prepare_Update(Context.State);
    if (!Prepared.Ok) {
        Context.Err << "vo40913-cli: " << Prepared.Error_Text << '\n';
        return Exit_Failed;
    }
    if (!Mode_Matches(Context, *Request, Prepared.Form_Type))
        return Exit_Usage;
    const std::unique_ptr<Process_Runner> Runner = Make_Process_Runner();
    return Prepared.Form_Type == Form_Ethernet ? Update_Ethernet(Context, *Request, *Runner)
                                               : Update_Serial(Context, *Request, *Runner);
}

} // namespace vo
