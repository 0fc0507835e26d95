#pragma once

#include "Snapshot.h"
#include "params/Par_Gen.h"
#include "util/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vo {

struct Shared_State;

// One field that differs: its words (a dialog row, or an image field's name), the elements of
// ParGen.xml behind it (none for an image), the two values as shown, and the elements' values as
// the two files hold them (in the order of Elements).
struct Diff_Line {
    QString Label;
    QStringList Elements;
    QString From;
    QString To;
    QStringList From_Values{};
    QStringList To_Values{};
};

// The rows of the parameter dialog whose shown text differs between A and B, in the dialog's order
// and words, in the state's language. A list index that changed while its entry's text stayed (the
// data bits' "8" after a device-type change) is no change; one that shows nothing on both sides
// (nothing chosen, or out of range) is compared by the stored values.
QList<Diff_Line> Diff_Par_Gen(const Par_Gen& A, const Par_Gen& B, const Shared_State& State);

// The fields of two image files of the same kind that differ. Two files that are not images of
// one kind: a failure.
Result<QList<Diff_Line>> Diff_Images(const QByteArray& A, const QByteArray& B);

// The parameter set of a record's snapshot, and the snapshot's state in Check. A snapshot that
// was removed or lost files, or whose ParGen.xml cannot be parsed: a failure, and Set untouched.
// An edited one is read as it is now; the caller tells the user.
Status Load_Snapshot_Par_Gen(const QString& Project_Path, const Update_Record& Record, Par_Gen& Set,
                             Snapshot_Check& Check);

// What updating the configuration now would change against its last successful update.
struct Change_Summary {
    bool Has_Success = false; // false: no update of the configuration has succeeded yet
    QList<Diff_Line> Lines;
    QString Error_Text; // the current or the earlier parameters could not be read
};

Change_Summary Changes_Since_Success(const QString& Project_Path, const QString& ParGen_File,
                                     const Shared_State& State);

// "Modbus RTU - Baudrate: 9600 → 19200".
QString Diff_Text(const Diff_Line& Line);

} // namespace vo
