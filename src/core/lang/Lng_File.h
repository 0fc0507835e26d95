#pragma once

#include "Lng_Line.h"
#include "util/Result.h"

#include <QString>
#include <functional>

namespace vo {

// Receives each line of a language file, numbered from 1, as Parse_Lng_Line reads it.
using Lng_Line_Visitor = std::function<void(qsizetype Line_Number, const Lng_Line& Line)>;

// Hands each line of Text to Visit in file order; CR LF, LF and CR each end a line.
void Visit_Lng_Lines(QStringView Text, int Count, const Lng_Line_Visitor& Visit);

// Reads and decodes File_Name, then visits its lines. Fails, with no visit, when the file cannot
// be read: not a regular file, or larger than Language_File_Cap. Holds the file's text and one
// line at a time, whatever the file holds.
Status Visit_Lng_File(const QString& File_Name, int Count, const Lng_Line_Visitor& Visit);

} // namespace vo
