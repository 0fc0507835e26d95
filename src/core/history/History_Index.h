#pragma once

#include "Update_Record.h"
#include "util/Result.h"

#include <QList>
#include <QString>

namespace vo {

// Where each line of a configuration's history file lies, found in one pass and read back one line
// at a time: a window lists a long history without holding it. The file keeps its lines byte for
// byte when records are added, so the places stay right until a record is replaced in place; a
// line that is no longer the one scanned (its bytes are checked) is told, not guessed at.
class History_Index {
public:
    // Scans the history of Project_Path under the rules Read_History keeps; no file is no line.
    static History_Index Scan(const QString& Project_Path);

    qsizetype Count() const { return Starts.size(); }

    // The line's number in the file, counted from 1.
    int Line_Number(qsizetype I) const { return Numbers.at(I); }

    // The record on line I (0 is the oldest), read from the file now; a line that is no record of
    // this program: a failure saying why.
    Result<Update_Record> Record_At(qsizetype I) const;

    // Why the history could not be scanned; "" when it was.
    QString Error_Text;

private:
    QString Path;
    qint64 Scanned_Size = 0;
    QList<qint64> Starts;
    QList<qint32> Lengths;
    QList<qint32> Numbers;
    QList<quint32> Hashes;
    bool Last_Unended = false;
};

// The longest line read back; a record is far shorter.
inline constexpr qint32 History_Line_Limit = 1024 * 1024;

// The largest history file listed: more than a million records, and scanned in a second or two.
inline constexpr qint64 History_Index_Limit = qint64(1024) * 1024 * 1024;

} // namespace vo
