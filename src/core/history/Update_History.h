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
};

// Taken right before the updater is launched, after the images were written.
Launch_Capture Capture_Launch(const QString& Project_Path);

// What is launched.
struct Launch_Info {
    bool Ethernet = false;
    QString Target;
    Update_Choice Choice;
    QString Updater;
    QJsonObject Adapter{}; // the serial port's details (Port_Details_Json), when known
};

// The record of an update about to be launched: the captured files' sums and what is launched,
// its outcome "launched" until it is completed.
Update_Record Launch_Record(const Launch_Capture& Capture, const Launch_Info& Info);

// Before the launch, under the configuration's lock (the caller's): the snapshot of the captured
// files, then the record, then the oldest snapshots beyond the kept number go. A program killed while its
// updater runs so leaves a record that says the outcome is unknown. A failure comes back for the caller to
// report; the update does not depend on it.
Status Record_Launch(const Launch_Capture& Capture, const Update_Record& Record);

// After the updater's end (or the wait's), under the configuration's lock (the caller's): the
// record of the launch completed with how it ended, how long it ran and what it wrote.
Status Complete_Record(const QString& Project_Path, Update_Record& Record, const Run_Result& Result,
                       qint64 Duration_Ms, const QString& Output);

// The record of the latest update whose updater ended with code 0, if any.
std::optional<Update_Record> Last_Successful_Update(const QString& Project_Path);

// The address of the latest update of the configuration over Ethernet whose address check found
// the device, if any: the device this configuration went to.
std::optional<QString> Last_Update_Address(const QString& Project_Path);

} // namespace vo
