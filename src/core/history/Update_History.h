#pragma once

#include "Snapshot.h"
#include "update/Update_Steps.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>

namespace vo {

// Message when an update's record cannot be written (id of Lang_Strings); the reason follows.
inline constexpr int Msg_History_Not_Written = 1098;

struct Run_Result;

// The configuration's files as an updater is about to get them, and when.
struct Launch_Capture {
    QString Project_Path;
    // Without them, or before any capture, the record cannot be written.
    Result<Config_Files> Files = Failure{};
    QDateTime Start;
    QElapsedTimer Clock;
};

// Taken right before the updater is launched, after the images were written.
Launch_Capture Capture_Launch(const QString& Project_Path);

// What was launched.
struct Launch_Info {
    bool Ethernet = false;
    QString Target;
    Update_Choice Choice;
    QString Updater;
    QJsonObject Adapter{}; // the serial port's details (Port_Details_Json), when known
};

// Adds the attempt to the configuration's history: the record with its outcome and duration, the
// snapshot of the captured files, then the oldest snapshots beyond the kept number are removed.
// The update's own outcome never depends on this: a failure comes back for the caller to report.
Status Record_Update(const Launch_Capture& Capture, const Launch_Info& Info, const Run_Result& Result);

// The record of the latest update whose updater ended with code 0, if any.
std::optional<Update_Record> Last_Successful_Update(const QString& Project_Path);

} // namespace vo
