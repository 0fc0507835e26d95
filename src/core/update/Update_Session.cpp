#include "Update_Session.h"

#include "Com_Ports.h"
#include "Updater_Texts.h"
#include "image/Image_Check.h"
#include "platform/Port_Probe.h"
#include "shell/Shared_State.h"
#include "util/Path_Join.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vo {

namespace {

// A firmware file the updater can read: a regular file with something in it that opens.
bool Readable_File(const QString& Path) {
    QFile File(Path);
    const QFileInfo Info(Path);
    return Info.isFile() && Info.size() > 0 && File.open(QIODevice::ReadOnly);
}

// What the updater wrote, as the record keeps it: its last part, whose control characters (but
// line ends and tabs) would each take six bytes in the history's JSON.
constexpr qsizetype Recorded_Output_Limit = 16 * 1024;

QString Recorded_Output(const std::string& Bytes) {
    QString Text = QString::fromLocal8Bit(Bytes).right(Recorded_Output_Limit);
    for (QChar& C : Text)
        if (C.unicode() < 0x20 && C != u'\n' && C != u'\t')
            C = u'?';
    return Text;
}

} // namespace

QString Firmware_File(const QString& Master_Dir, bool Ethernet, int Option_Index) {
    if (!Has_Firmware_Step(Option_Index))
        return QString();
    return Ethernet ? Ethernet_Firmware_File(Master_Dir, Native_Separator())
                    : Serial_Firmware_File(Master_Dir, Native_Separator());
}

Update_Session::Update_Session(Shared_State& App_State, Process_Runner& App_Runner,
                               const Port_Probe& App_Ports)
    : State(App_State), Runner(App_Runner), Ports(App_Ports) {}

Update_Session::~Update_Session() = default;

std::optional<Launch_Refusal> Update_Session::Check(const Launch_Info& Request) const {
    using Kind = Launch_Refusal::Kind;
    const QString Firmware = Firmware_File(State.Master_Dir, Request.Ethernet, Request.Choice.Option_Index);
    if (!Firmware.isEmpty() && !Readable_File(Firmware))
        return Launch_Refusal{Kind::Firmware_Missing,
                              State.Text(Msg_Firmware_Missing).arg(QDir::toNativeSeparators(Firmware))};
    if (Request.Ethernet)
        return std::nullopt;
    const Port_Status Port = Ports.Status_Of(Request.Target.toStdString());
    switch (Port.Port_State) {
    case Port_Status::State::Free:
        return std::nullopt;
    case Port_Status::State::Gone:
        return Launch_Refusal{Kind::Port_Missing, State.Text(Msg_Port_Missing).arg(Request.Target)};
    case Port_Status::State::Busy:
    case Port_Status::State::Not_Permitted:
        break;
    }
    const QString Words = Port_State_Words(Port, State);
    const bool Busy = Port.Port_State == Port_Status::State::Busy;
    return Launch_Refusal{Busy ? Kind::Port_Busy : Kind::Port_Not_Permitted,
                          State.Text(Msg_Port_Unusable).arg(Request.Target, Words),
                          Busy ? State.Text(Msg_Port_Busy_Question).arg(Request.Target, Words) : QString()};
}

Status Update_Session::Launch(Launch_Info Request, Program_Output Output) {
    Info = std::move(Request);
    Info.Updater = Info.Ethernet ? Ethernet_Updater_Path(State.Exe_Dir) : Serial_Updater_Path(State.Exe_Dir);
    Result = Run_Result();
    Written.clear();
    History_Error.clear();
    // A launch refused before the updater started holds no lock.
    const auto Refuse = [this](const QString& Text) {
        Config_Lock.reset();
        return Status(Failure(Text));
    };
    Config_Lock = std::make_unique<Writer_Lock>(Lock_Of::Configuration, State.Project_Path);
    if (const Status Locked = Config_Lock->Acquire(); !Locked)
        return Refuse(State.Text(Msg_Configuration_Busy) + Locked.Error());
    // The images as the updater will read them, checked as the device will take them.
    Capture = Capture_Launch(State.Project_Path);
    if (!Capture.Files)
        return Refuse(State.Text(Msg_Images_Unfit) + Capture.Files.Error());
    const Config_Files& Files = *Capture.Files;
    if (const Status Fit =
            Check_Sendable_Images(Files.Bank.value_or(QByteArray()), Files.BankK.value_or(QByteArray()));
        !Fit)
        return Refuse(State.Text(Msg_Images_Unfit) + Fit.Error());

    Record = Launch_Record(Capture, Info);
    if (const Status Saved = Record_Launch(Capture, Record); !Saved)
        History_Error = Saved.Error();
    Updater_Start Start = Info.Ethernet
                              ? Begin_Ethernet_Launch(State, Runner, Info.Target, Info.Choice, Output)
                              : Begin_Serial_Launch(State, Runner, Info.Target, Info.Choice, Output);
    Clock.start();
    if (!Start.Started.Program) {
        Result.Error_Text = Start.Started.Error_Text;
        Write_Record(Result);
        return Refuse(State.Text(Msg_Updater_Not_Started) + QString::fromStdString(Result.Error_Text));
    }
    Updater = std::move(Start.Started.Program);
    Update_Lock = std::move(Start.Lock);
    return {};
}

bool Update_Session::Running() const {
    return Updater != nullptr;
}

long Update_Session::Process_Id() const {
    return Updater ? Updater->Id() : Result.Process_Id;
}

bool Update_Session::Ended_Within(std::chrono::milliseconds Wait) {
    if (!Updater || !Updater->Ended_Within(Wait))
        return false;
    // The duration ends here, before anyone is told: a message box left open is not the updater's.
    const qint64 Ran_Ms = Clock.elapsed();
    Result = Ended_Result(*Updater);
    Written = Recorded_Output(Updater->Output());
    Updater.reset();
    Update_Lock.reset();
    Record.Duration_Ms = Ran_Ms;
    Write_Record(Result);
    Config_Lock.reset();
    return true;
}

void Update_Session::Leave_Running() {
    if (!Updater)
        return;
    Result = Run_Result();
    Result.Outcome = Run_Result::State::Still_Running;
    Result.Process_Id = Updater->Id();
    Record.Duration_Ms = Clock.elapsed();
    Write_Record(Result);
}

void Update_Session::Write_Record(const Run_Result& Outcome) {
    if (!Capture.Files)
        return;
    const qint64 Ran_Ms = Outcome.Outcome == Run_Result::State::Not_Started ? 0 : Record.Duration_Ms;
    if (const Status Saved = Complete_Record(Capture.Project_Path, Record, Outcome, Ran_Ms, Written); !Saved)
        History_Error = Saved.Error();
}

} // namespace vo
