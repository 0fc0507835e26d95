#include "Updater_Launch.h"

#include "Job_File.h"
#include "Updater_Texts.h"
#include "shell/Shared_State.h"
#include "util/Path_Join.h"
#include "util/Seam_Text.h"

namespace vo {

namespace {

QString Program_Path(const QString& Exe_Dir, const char* Name) {
    return Join_Path(Exe_Dir, QLatin1String(Name) + QLatin1String(Program_Suffix()));
}

void Remember(Shared_State& State, const Update_Choice& Choice) {
    State.Update_Option_Index = Choice.Option_Index;
    State.Read_Back_Enabled = Choice.Read_Back;
}

Updater_Start Not_Started(const QString& Reason) {
    Updater_Start Start;
    Start.Started.Error_Text = Reason.toStdString();
    return Start;
}

// A launch that holds the update lock, or one left unstarted that names the holder.
Updater_Start Under_Update_Lock(const Shared_State& State) {
    Updater_Start Start;
    Start.Lock = std::make_unique<Writer_Lock>(Lock_Of::Updates, State.Exe_Dir);
    if (const Status Locked = Start.Lock->Acquire(); !Locked)
        return Not_Started(State.Text(Msg_Update_Running) + Locked.Error());
    return Start;
}

} // namespace

QString Serial_Updater_Path(const QString& Exe_Dir) {
    return Program_Path(Exe_Dir, "Ser_40913_Update");
}

QString Ethernet_Updater_Path(const QString& Exe_Dir) {
    return Program_Path(Exe_Dir, "Ethernet_Update");
}

Start_Result Begin_Program(Process_Runner& Runner, const QString& NomeSW, const QString& Parameter, int tipo,
                           Program_Output Output) {
    return Runner.Start(Seam_Text(NomeSW), Seam_Text(Parameter), tipo == 0, Output);
}

Updater_Start Begin_Serial_Launch(Shared_State& State, Process_Runner& Runner, const QString& Port,
                                  const Update_Choice& Choice, Program_Output Output) {
    Remember(State, Choice);
    Updater_Start Start = Under_Update_Lock(State);
    if (!Start.Lock)
        return Start;
    const QString Parameter =
        Serial_Parameter_Text(Port, Choice, State.Master_Dir, State.Project_Path, Native_Path_Form());
    Start.Started = Begin_Program(Runner, Serial_Updater_Path(State.Exe_Dir), Parameter, 0, Output);
    return Start;
}

Updater_Start Begin_Ethernet_Launch(Shared_State& State, Process_Runner& Runner, const QString& Address,
                                    const Update_Choice& Choice, Program_Output Output) {
    State.Last_IP_Address = Address;
    Remember(State, Choice);
    // The job file has one place for every update: it is written only under the lock.
    Updater_Start Start = Under_Update_Lock(State);
    if (!Start.Lock)
        return Start;
    const Job_Input Input{Address, Choice, State.Master_Dir, State.Project_Path, Native_Separator()};
    if (const Status Saved = Compile_XML_Parameter_New_Boot(Input, Job_File_Path(State.Exe_Dir)); !Saved)
        return Not_Started(Saved.Error());
    Start.Started = Begin_Program(Runner, Ethernet_Updater_Path(State.Exe_Dir), QString(), 0, Output);
    return Start;
}

} // namespace vo
