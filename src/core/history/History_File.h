#pragma once

#include "Update_Record.h"
#include "util/File_Save.h"

#include <QList>
#include <QString>

namespace vo {

// A configuration's history lives in the folder History inside it: the file history.jsonl, one
// JSON object a line, and one snapshot folder per record, named by the record's id.
QString History_Folder(const QString& Project_Path);
QString History_File_Path(const QString& Project_Path);

// A line of the history file that is not a record this program can use.
struct History_Problem {
    int Line = 0;
    QString Reason;
};

struct History {
    QList<Update_Record> Records; // in the order written, oldest first
    QList<History_Problem> Problems;
    // Why the file could not be read at all; no file is an empty history, not an error.
    QString Error_Text;

    const Update_Record* Find(const QString& Id) const;
};

// The largest history file read; a longer one is refused rather than read into memory.
inline constexpr qint64 History_File_Limit = 16 * 1024 * 1024;

// The history held in Bytes, as Read_History reads it from its file.
History Parse_History(const QByteArray& Bytes);

// Bytes with Record added as a new last line: the lines there are kept byte for byte, a last one
// without its line end gets one first.
QByteArray History_With(QByteArray Bytes, const Update_Record& Record);

// Reads the history of the configuration at Project_Path: every good record, and for each other
// line its number and why it was left out (not JSON, truncated, a newer program's format).
History Read_History(const QString& Project_Path);

// Adds Record as a new last line, replacing the file atomically. The lines already there are kept
// byte for byte, the unreadable ones included; a last line without its line end gets one first.
Status Append_Record(const QString& Project_Path, const Update_Record& Record);

// Puts Record in place of the line of the record with its id, replacing the file atomically; the
// other lines are kept byte for byte. Without such a line, Record is appended.
Status Replace_Record(const QString& Project_Path, const Update_Record& Record);

} // namespace vo
