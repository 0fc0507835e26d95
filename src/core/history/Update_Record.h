#pragma once

#include "util/Result.h"

#include <QJsonObject>
#include <QString>

namespace vo {

struct Shared_State;

// The format of a history line this program writes; a line of a higher format is a newer
// program's and is reported, not guessed at.
inline constexpr int History_Format = 1;

// The three files of a configuration as one launch or restore found them.
struct File_Sums {
    QString ParGen;
    QString Bank;
    QString BankK;

    bool operator==(const File_Sums&) const = default;
};

// One line of a configuration's history: an update attempt that reached the updater's launch, a
// restore (which keeps the configuration's files as they were before it), or a link test (with the
// files it tested). Each has a snapshot folder of the same name.
struct Update_Record {
    enum class Kind { Update, Restore, Link_Test };
    // Launched: written before the updater started and not completed since, as when the program
    // that launched it was killed: the outcome is unknown.
    enum class Outcome { Ended, Still_Running, Not_Started, Launched };

    QString Id;
    Kind Record_Kind = Kind::Update;
    QString Time; // UTC, ISO 8601 with milliseconds
    QString User;
    QString Host;
    QString Program_Version;
    File_Sums Sums; // SHA-256 in hex; empty for a file that did not exist

    // An update only.
    QString Mode;   // "serial" or "ethernet"
    QString Target; // the serial port or the device address; a link test's first port
    // A serial update: the port's details as the port list found them (Port_Details_Json); empty
    // when unknown or over Ethernet. Records of older versions lack it.
    QJsonObject Adapter;
    int Option_Index = 0;
    bool Read_Back = true;
    QString Updater;
    Outcome Result = Outcome::Not_Started;
    int Exit_Code = 0;
    int Term_Signal = 0;
    long Process_Id = 0;
    QString Error_Text;
    // From the launch to the updater's end, as seen by the program that waited for it.
    qint64 Duration_Ms = 0;
    // The end of what the updater wrote to its standard output and error.
    QString Output;

    // A restore only: the record whose snapshot became the current ParGen.xml.
    QString Restored;

    // A link test only: its settings, counts and verdict.
    QJsonObject Link;

    // True for an update whose updater ended by itself with code 0.
    bool Succeeded() const;
};

QJsonObject Record_To_Json(const Update_Record& Record);

// The record of a history line's object; a failure saying why when it is not one.
Result<Update_Record> Record_From_Json(const QJsonObject& Object);

// "ended with code 0", "killed by signal 9", "still running at the limit (process 42)",
// "could not be started: ...", "launched, outcome unknown", "restore of ID": what became of the
// attempt, in English.
QString Outcome_Text(const Update_Record& Record);

// The same in the state's language, for the windows and the report.
QString Outcome_Words(const Update_Record& Record, const Shared_State& State);

// Headings of a record's time (UTC), port or address and outcome in the window and the report
// (ids of Lang_Strings).
inline constexpr int Msg_Record_Time = 91;
inline constexpr int Msg_Record_Outcome = 92;
inline constexpr int Msg_Record_Target = 93;

} // namespace vo
