#pragma once

#include "Update_Record.h"

#include <QDateTime>
#include <QString>

namespace vo {

struct Shared_State;

// A record's time in the machine's local time with its zone, "2026-12-11 14:05:09 CET"; a time that
// cannot be read is shown as stored.
QString Local_Time_Text(const QString& Iso);

// The zone of the local time ("CET"), for a heading.
QString Local_Zone_Text();

// "Update", "Restore", "Link Test".
QString Kind_Words(const Update_Record& Record, const Shared_State& State);

// How the attempt came out, in one word or two: "Success" (an updater that ended with 0, a link
// test that passed), "Failure", "Still running", "Not started", "Launched, outcome unknown"; ""
// for a restore.
QString Result_Words(const Update_Record& Record, const Shared_State& State);

// What lies behind the result: "exit code 3", "killed by signal 9", why it could not be started,
// a link test's verdict, the record a restore took.
QString Detail_Words(const Update_Record& Record, const Shared_State& State);

// The update's option as the update dialog lists it, with "Read Back" when chosen; "" for others.
QString Option_Words(const Update_Record& Record, const Shared_State& State);

// "Passed" or "Failed" for a link test, "" for the others.
QString Link_Verdict_Words(const Update_Record& Record, const Shared_State& State);

// How long the updater or the link test ran: "850 ms", "1.2 s", "2 min 05 s"; "" when not known or
// for an updater that never started.
QString Duration_Words(const Update_Record& Record);

// A serial update's adapter as recorded: maker, model, serial number, ids and stable name, as far as
// known; "built-in serial port" for one without USB; "" when nothing was recorded.
QString Adapter_Words(const QJsonObject& Adapter);

} // namespace vo
