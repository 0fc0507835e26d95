#pragma once

#include "params/Par_Gen.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vo {

struct Shared_State;

// One field that differs: its words (a dialog row, or an image field's name), the elements of
// ParGen.xml behind it (none for an image), and the two values as shown.
struct Diff_Line {
    QString Label;
    QStringList Elements;
    QString From;
    QString To;
};

// The rows of the parameter dialog whose shown values differ between A and B, in the dialog's
// order and words, in the state's language.
QList<Diff_Line> Diff_Par_Gen(const Par_Gen& A, const Par_Gen& B, const Shared_State& State);

// The fields of two image files of the same kind that differ. Two files that are not images of
// one kind: the reason, and nothing.
std::optional<QList<Diff_Line>> Diff_Images(const QByteArray& A, const QByteArray& B, QString& Reason);

// "Modbus RTU - Baudrate: 9600 → 19200".
QString Diff_Text(const Diff_Line& Line);

} // namespace vo
