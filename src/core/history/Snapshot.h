#pragma once

#include "Update_Record.h"
#include "util/File_Save.h"
#include "util/Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace vo {

// How many snapshot folders a configuration keeps of its updates and restores, and apart from them
// of its link tests; the oldest go first. Their records stay.
inline constexpr int Snapshots_Kept = 50;
inline constexpr int Link_Snapshots_Kept = 20;

// The three files of a configuration, each absent when it did not exist.
struct Config_Files {
    std::optional<QByteArray> ParGen;
    std::optional<QByteArray> Bank;
    std::optional<QByteArray> BankK;

    File_Sums Sums() const;
};

// Reads ParGen.xml, bin/bank.bin and bin/bankK.bin of a configuration (or the same three names
// in a snapshot folder, with Flat); a failure names the file that exists but cannot be read.
Result<Config_Files> Read_Config_Files(const QString& Folder, bool Flat);

// SHA-256 of Bytes in lower-case hex.
QString Sha256_Hex(const QByteArray& Bytes);

// A new record id from the time, unique in the configuration's history folder: "20261210-135005-123"
// with "-2", "-3", ... when taken.
QString New_Record_Id(const QString& Project_Path, const QDateTime& Utc);

QString Snapshot_Folder(const QString& Project_Path, const QString& Id);

// Writes the files that exist into the record's snapshot folder, each atomically.
Status Save_Snapshot(const QString& Project_Path, const QString& Id, const Config_Files& Files);

// Whether a snapshot still holds what its record says.
enum class Snapshot_State { Intact, Removed, Missing_Files, Edited };

struct Snapshot_Check {
    Snapshot_State State = Snapshot_State::Intact;
    QString Detail; // the files that are missing or differ
};

Snapshot_Check Check_Snapshot(const QString& Project_Path, const Update_Record& Record);

// "intact", "removed", "missing files", "edited".
QString State_Name(Snapshot_State State);

// Removes the oldest snapshot folders beyond Snapshots_Kept, and those of link tests beyond
// Link_Snapshots_Kept.
void Prune_Snapshots(const QString& Project_Path);

// The record of the user, host, program version and time of something done now.
Update_Record New_Record(const QString& Project_Path, Update_Record::Kind Kind, const QDateTime& Utc,
                         const File_Sums& Sums);

} // namespace vo
