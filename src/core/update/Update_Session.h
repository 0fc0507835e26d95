#pragma once

#include "Update_Outcome.h"
#include "Updater_Launch.h"
#include "history/Update_History.h"

#include <QElapsedTimer>
#include <chrono>
#include <memory>
#include <optional>

namespace vo {

class Port_Probe;
struct Shared_State;

// Messages of the checks before a launch (ids of Lang_Strings).
inline constexpr int Msg_Images_Unfit = 1041;       // error; what is wrong follows
inline constexpr int Msg_Firmware_Missing = 1042;   // error, %1 the firmware file
inline constexpr int Msg_Port_Missing = 1043;       // error, %1 the port
inline constexpr int Msg_Port_Busy_Question = 1044; // question, %1 the port, %2 its state
inline constexpr int Msg_Port_Unusable = 1045;      // error, %1 the port, %2 its state

// Why an update must not be launched as asked.
struct Launch_Refusal {
    enum class Kind { Firmware_Missing, Port_Missing, Port_Busy, Port_Not_Permitted };

    Kind Reason = Kind::Firmware_Missing;
    // The error in the state's language.
    QString Text;
    // For a busy port, the question whether to go on all the same.
    QString Question{};
    // A busy port may be held by a program the user is about to close: the user may go on.
    bool May_Go_On() const { return Reason == Kind::Port_Busy; }
};

// The firmware file the updater transfers for an option; empty for the configuration alone.
QString Firmware_File(const QString& Master_Dir, bool Ethernet, int Option_Index);

// One update from the checks before its launch to its record, driven alike by the update dialog
// and the command line, which only word what it tells. The updater is never stopped: dropping a
// session leaves a running updater running.
class Update_Session {
public:
    Update_Session(Shared_State& App_State, Process_Runner& App_Runner, const Port_Probe& App_Ports);
    ~Update_Session();
    Update_Session(const Update_Session&) = delete;
    Update_Session& operator=(const Update_Session&) = delete;

    // What the updater would not manage with: the firmware file of the chosen option, and for a
    // serial update the port (it must exist, and be neither busy nor closed to this user).
    std::optional<Launch_Refusal> Check(const Launch_Info& Request) const;

    // Takes the configuration's lock, captures its files, checks the images among them as the
    // device will read them, records the launch in the history and starts the updater with the
    // update lock held. Both locks stay until the updater has been seen to end: no restore, save or
    // build changes the files it reads meanwhile.
    // A failure is the message to show: the images are unfit (nothing recorded, nothing started),
    // or the updater could not be started (recorded so).
    Status Launch(Launch_Info Request, Program_Output Output);

    // Whether an updater was started and has not been seen to end.
    bool Running() const;
    long Process_Id() const;
    const Launch_Info& Launched() const { return Info; }
    // Since the launch.
    qint64 Elapsed_Ms() const { return Clock.elapsed(); }

    // Looks whether the updater has ended, waiting for that at most Wait. Once it has, the record
    // is completed with how it ended, how long it ran and what it wrote, and the update lock is
    // let go: true.
    bool Ended_Within(std::chrono::milliseconds Wait);
    // The wait ends with the updater still running: the record says so. It is still watched, and
    // the lock still held, until its end is seen.
    void Leave_Running();

    // How it ended, once Ended_Within said so (or Leave_Running was called, or the start failed).
    const Run_Result& Outcome() const { return Result; }
    Update_End End() const { return End_Of(Result); }
    // What the updater wrote (its last part).
    const QString& Output() const { return Written; }
    // Why the history could not be written, empty when it was.
    const QString& Record_Error() const { return History_Error; }

private:
    void Write_Record(const Run_Result& Outcome);

    Shared_State& State;
    Process_Runner& Runner;
    const Port_Probe& Ports;
    Launch_Info Info;
    Launch_Capture Capture;
    Update_Record Record;
    std::unique_ptr<Running_Program> Updater;
    std::unique_ptr<Writer_Lock> Update_Lock;
    std::unique_ptr<Writer_Lock> Config_Lock;
    QElapsedTimer Clock;
    Run_Result Result;
    QString Written;
    QString History_Error;
};

} // namespace vo
