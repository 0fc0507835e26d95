#include "Updater_Launch.h"

#include "Job_File.h"
#include "Update_Lock.h"
#include "Updater_Texts.h"
#include "shell/Shared_State.h"
#include "util/Path_Join.h"

#include <QFile>

namespace vo {

namespace {

QString Program_Path(const QString& Exe_Dir, const char* Name) {
    return Join_Path(Exe_Dir, QLatin1String(Name) + QLatin1String(Program_Suffix()));
}

void Remember(Shared_State& State, const Update_Choice& Choice) {
    State.Update_Option_Index = Choice.Option_Index;
    State.Read_Back_Enabled = Choice.Read_Back;
}

Run_Result Not_Started(const QString& Reason) {
    Run_Result Result;
    Result.Error_Text = Reason.toStdString();
    return Result;
}

} // namespace

QString Serial_Updater_Path(const QString& Exe_Dir) {
    return Program_Path(Exe_Dir, "Ser_40913_Update");
}

QString Ethernet_Updater_Path(const QString& Exe_Dir) {
    return Program_Path(Exe_Dir, "Ethernet_Update");
}

Run_Result Start_Program(Process_Runner& Runner, const QString& NomeSW, const QString& Parameter, int tipo,
                         std::chrono::milliseconds Limit, const Wait_Watch& Watch) {
    return Runner.Run(QFile::encodeName(NomeSW).toStdString(), QFile::encodeName(Parameter).toStdString(),
                      tipo == 0, Limit, Watch);
}

Run_Result Serial_Launch(Shared_State& State, Process_Runner& Runner, const QString& Port,
                         const Update_Choice& Choice, std::chrono::milliseconds Limit,
                         const Wait_Watch& Watch) {
    Remember(State, Choice);
    Update_Lock Lock(State.Exe_Dir);
    if (const QString Busy = Lock.Acquire(); !Busy.isEmpty())
        return Not_Started(State.Text(Msg_Update_Running) + Busy);
    const QString Parameter =
        Serial_Parameter_Text(Port, Choice, State.Master_Dir, State.Project_Path, Native_Path_Form());
    return Start_Program(Runner, Serial_Updater_Path(State.Exe_Dir), Parameter, 0, Limit, Watch);
}

Run_Result Ethernet_Launch(Shared_State& State, Process_Runner& Runner, const QString& Address,
                           const Update_Choice& Choice, std::chrono::milliseconds Limit,
                           const Wait_Watch& Watch) {
    State.Last_IP_Address = Address;
    Remember(State, Choice);
    // The job file has one place for every update: it is written only under the lock.
    Update_Lock Lock(State.Exe_Dir);
    if (const QString Busy = Lock.Acquire(); !Busy.isEmpty())
        return Not_Started(State.Text(Msg_Update_Running) + Busy);
    const Job_Input Input{Address, Choice, State.Master_Dir, State.Project_Path, Native_Separator()};
    if (const Save_Status Saved = Compile_XML_Parameter_New_Boot(Input, Job_File_Path(State.Exe_Dir)); !Saved)
        return Not_Started(Saved.Error_Text);
    return Start_Program(Runner, Ethernet_Updater_Path(State.Exe_Dir), QString(), 0, Limit, Watch);
}

} // namespace vo
