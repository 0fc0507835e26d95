#pragma once

#include <QString>
#include <QStringList>

namespace vo {

struct Shared_State;

// Number of entries of Lang_Strings: ids run from 0 to String_Count - 1.
inline constexpr int String_Count = 1200;

// Clears Lang_Strings and fills it with the built-in English texts in id order.
void Load_Default_Strings(QStringList& Lang_Strings);

// Overlays the entries that the language file sets on Lang_Strings; ids beyond the table are
// ignored. False, with the table untouched, when the file cannot be read; malformed lines are
// ignored silently.
bool Load_Language_File(QStringList& Lang_Strings, const QString& File_Name);

// Defaults, then the file of Language_Name, or English.lng when the name is not a plain file name
// (empty, or a path) or its file is missing or no regular file (and Language_Name becomes
// "English"); with neither file the defaults stand.
void Load_Language(Shared_State& State);

} // namespace vo
