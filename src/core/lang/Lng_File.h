#pragma once

#include "Lng_Line.h"

#include <QString>
#include <functional>

namespace vo {

// Receives each line of a language file, numbered from 1, as Parse_Lng_Line reads it.
using Lng_Line_Visitor = std::function<void(qsizetype Line_Number, const Lng_Line& Line)>;

// Hands each line of Text to Visit in file order; CR LF, LF and CR each end a line.
void Visit_Lng_Lines(QStringView Text, int Count, const Lng_Line_Visitor& Visit);

// Reads and decodes File_Name, then visits its lines. False, with no visit and the reason in
// Error_Text (when given), when the file cannot be read: not a regular file, or larger than
// Language_File_Cap. Holds the file's text and one line at a time, whatever the file holds.
bool Visit_Lng_File(const QString& File_Name, int Count, const Lng_Line_Visitor& Visit,
                    QString* Error_Text = nullptr);

} // namespace vo
