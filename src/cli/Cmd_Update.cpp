#include "Cli_Config.h"
#include "Update_Args.h"
#include "platform/Echo_Probe.h"
#include "platform/Port_Probe.h"
#include "platform/Stop_Requests.h"
#include "update/Address_Check.h"
#include "update/Com_Ports.h"
#include "update/Device_Type.h"
#include "update/Update_Preparation.h"
#include "update/Update_Session.h"

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

// How the session's updater ended, in the command line's words: success only as the session
// decides it.
int Report(Cli_Context& Context, const Update_Session& Session, std::chrono::milliseconds Limit) {
    const QString& Updater = Session.Launched().Updater;
    const Run_Result& Result = Session.Outcome();
    switch (Session.End()) {
    case Update_End::Succeeded:
        Context.Out << "The updater \"" << Updater << "\" ended with code 0\n";
        return Exit_Ok;
    case Update_End::Failed:
        Context.Err << "vo40913-cli: the updater \"" << Updater << "\" ended with code " << Result.Exit_Code
                    << '\n';
        break;
    case Update_End::Killed:
        Context.Err << "vo40913-cli: the updater \"" << Updater << "\" was killed by signal "
                    << Result.Term_Signal << '\n';
        break;
    case Update_End::Still_Running:
        Context.Err << "vo40913-cli: the updater \"" << Updater << "\" is still running after "
                    << std::chrono::duration_cast<std::chrono::seconds>(Limit).count()
                    << " s and is left running (process " << Result.Process_Id << ")\n";
        break;
    case Update_End::Not_Started:
        Context.Err << Context.State.Text(Msg_Updater_Not_Started)
                    << QString::fromStdString(Result.Error_Text) << '\n';
        break;
    }
    return Exit_Failed;
}

// A record that could not be written is told, never the update's failure.
void Tell_Record_Error(Cli_Context& Context, const Update_Session& Session) {
    if (!Session.Record_Error().isEmpty())
        Context.Err << Context.State.Text(Msg_History_Not_Written) << Session.Record_Error() << '\n';
}

// While the updater runs, a request to stop this command is passed on to the updater, which may
// need to finish a write to the device: the command keeps waiting within its limit, reports how the
// updater ended and fails.
class Passing_On {
public:
    Passing_On(Cli_Context& Command, QString Updater_Path)
        : Context(Command), Updater(std::move(Updater_Path)) {}

    void Look(long Process_Id) {
        const int Request = Requests.Take();
        if (Request == 0)
            return;
        Received = Request;
        Context.Err << "vo40913-cli: " << Stop_Request_Name(Request) << " received while the updater \""
                    << Updater << "\" (process " << Process_Id
                    << ") is running: passed on to it, waiting for its end\n";
        Context.Err.flush();
        Forward_Stop_Request(Process_Id, Request);
    }

    int Finish(int Status) {
        if (Received == 0 && Requests.Take() == 0)
            return Status;
        Context.Err << "vo40913-cli: the update was interrupted\n";
        return Exit_Failed;
    }

private:
    Cli_Context& Context;
    QString Updater;
    Stop_Requests Requests;
    int Received = 0;
};

// The checks before the launch; a busy port passes with --force-port.
bool Launch_Allowed(Cli_Context& Context, const Update_Session& Session, const Launch_Info& Info,
                    bool Force_Port) {
    const std::optional<Launch_Refusal> Refusal = Session.Check(Info);
    if (!Refusal)
        return true;
    if (Refusal->May_Go_On() && Force_Port)
        return true;
    Context.Err << Refusal->Text << '\n';
    if (Refusal->May_Go_On())
        Context.Err << "vo40913-cli: --force-port starts the updater on it all the same\n";
    return false;
}

// The address check of the dialog, with its messages, before the job file is written.
bool Address_Answers(Cli_Context& Context, const QString& Address) {
    const Ping_Check Check = Send_Ping(*Make_Echo_Probe(), Address, {});
    const int Id = Ping_Message(Check);
    if (Id == 0)
        return true;
    Print_Message(Context, Id);
    if (!Check.Error_Text.isEmpty())
        Context.Err << "vo40913-cli: " << Check.Error_Text << '\n';
    return false;
}

// The launch in the mode of the configuration, watched for stop requests, recorded and reported.
int Launch(Cli_Context& Context, const Update_Request& Request, bool Ethernet) {
    const std::unique_ptr<Port_Probe> Ports = Make_Port_Probe();
    const std::unique_ptr<Process_Runner> Runner = Make_Process_Runner();
    Update_Session Session(Context.State, *Runner, *Ports);
    // The port as the list sees it, before the updater takes it.
    const Launch_Info Info{Ethernet, Request.Target, Request.Choice, QString(),
                           Ethernet ? QJsonObject() : Adapter_Of(*Ports, Request.Target)};
    if (!Launch_Allowed(Context, Session, Info, Request.Force_Port))
        return Exit_Failed;
    if (Ethernet && !Address_Answers(Context, Request.Target))
        return Exit_Failed;
    Context.Out.flush();
    // Caught from before the start: an updater that signals at once is still waited for.
    Passing_On Stops(Context, Ethernet ? Ethernet_Updater_Path(Context.State.Exe_Dir)
                                       : Serial_Updater_Path(Context.State.Exe_Dir));
    if (const Status Started = Session.Launch(Info, Program_Output::Kept_And_Echoed); !Started) {
        Tell_Record_Error(Context, Session);
        Context.Err << Started.Error() << '\n';
        return Exit_Failed;
    }
    const auto Limit = std::chrono::milliseconds(Request.Wait_Limit);
    while (!Session.Ended_Within(Program_Look_Interval)) {
        Stops.Look(Session.Process_Id());
        if (Session.Elapsed_Ms() >= Limit.count()) {
            Session.Leave_Running();
            break;
        }
    }
    Tell_Record_Error(Context, Session);
    // The report on a line of its own, after an updater whose last line had no end.
    if (!Session.Output().isEmpty() && !Session.Output().endsWith(u'\n'))
        (Session.End() == Update_End::Succeeded ? Context.Out : Context.Err) << '\n';
    return Stops.Finish(Report(Context, Session, Limit));
}

} // namespace

// update CONFIG (--port DEVICE | --ip A.B.C.D) [--option 0|1|2] [--no-read-back] [--wait-limit SECONDS]
// [--force-port]: the update button of the update dialog without a window. The remembered choices
// stay in this run: the command line never writes the settings file.
int Run_Update(Cli_Context& Context) {
    const std::optional<Update_Request> Request = Parse_Update_Args(Context);
    if (!Request)
        return Exit_Usage;
    if (!Open_Config(Context, Request->Config))
        return Exit_Failed;
    if (const Status Saved = Parameters_Saved(Context.State); !Saved) {
        Context.Err << Saved.Error() << '\n';
        return Exit_Failed;
    }
    const Result<Update_Mode> Prepared = Prepare_Update(Context.State);
    if (!Prepared) {
        Context.Err << "vo40913-cli: " << Prepared.Error() << '\n';
        return Exit_Failed;
    }
    if (!Mode_Matches(Context, *Request, *Prepared))
        return Exit_Usage;
    return Launch(Context, *Request, *Prepared == Form_Ethernet);
}

} // namespace vo
