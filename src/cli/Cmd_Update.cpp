#include "Cli_Config.h"
#include "Update_Args.h"
#include "history/Update_History.h"
#include "platform/Echo_Probe.h"
#include "platform/Port_Probe.h"
#include "platform/Stop_Requests.h"
#include "update/Address_Check.h"
#include "update/Com_Ports.h"
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

// The attempt goes into the configuration's history; a failed write is told, never the update's failure.
void Record(Cli_Context& Context, const Launch_Capture& Capture, const Launch_Info& Info,
            const Run_Result& Result) {
    if (const Status Saved = Record_Update(Capture, Info, Result); !Saved)
        Context.Err << Context.State.Text(Msg_History_Not_Written) << Saved.Error() << '\n';
}

// While the updater runs, a request to stop this command is passed on to the updater, which may
// need to finish a write to the device: the command keeps waiting within its limit, reports how the
// updater ended and fails.
class Passing_On {
public:
    Passing_On(Cli_Context& Command, QString Updater_Path)
        : Context(Command), Updater(std::move(Updater_Path)) {}

    Wait_Watch Watch() {
        return [this](long Process_Id) {
            const int Request = Requests.Take();
            if (Request == 0)
                return;
            Received = Request;
            Context.Err << "vo40913-cli: " << Stop_Request_Name(Request) << " received while the updater \""
                        << Updater << "\" (process " << Process_Id
                        << ") is running: passed on to it, waiting for its end\n";
            Context.Err.flush();
            Forward_Stop_Request(Process_Id, Request);
        };
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

// The launch in the mode of the configuration, watched for stop requests, recorded and reported.
int Launch(Cli_Context& Context, const Update_Request& Request, Process_Runner& Runner, bool Ethernet) {
    const QString Updater =
        Ethernet ? Ethernet_Updater_Path(Context.State.Exe_Dir) : Serial_Updater_Path(Context.State.Exe_Dir);
    const auto Start = Ethernet ? &Ethernet_Launch : &Serial_Launch;
    // The port as the list sees it, before the updater takes it.
    const QJsonObject Adapter = Ethernet ? QJsonObject() : Adapter_Of(*Make_Port_Probe(), Request.Target);
    Passing_On Stops(Context, Updater);
    const Launch_Capture Capture = Capture_Launch(Context.State.Project_Path);
    const Run_Result Result =
        Start(Context.State, Runner, Request.Target, Request.Choice, Request.Wait_Limit, Stops.Watch());
    Record(Context, Capture, {Ethernet, Request.Target, Request.Choice, Updater, Adapter}, Result);
    return Stops.Finish(Report(Context, Updater, Result, Request.Wait_Limit));
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
    const Result<Update_Mode> Prepared = Prepare_Update(Context.State);
    if (!Prepared) {
        Context.Err << "vo40913-cli: " << Prepared.Error() << '\n';
        return Exit_Failed;
    }
    if (!Mode_Matches(Context, *Request, *Prepared))
        return Exit_Usage;
    const bool Ethernet = *Prepared == Form_Ethernet;
    if (Ethernet && !Address_Answers(Context, Request->Target))
        return Exit_Failed;
    return Launch(Context, *Request, *Make_Process_Runner(), Ethernet);
}

} // namespace vo
