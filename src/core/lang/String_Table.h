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

// Defaults, then the file of the language Name in Language_Dir, or English.lng when the name is
// not a plain file name (empty, or a path) or its file is missing or no regular file; with neither
// file the defaults stand. Gives the name of the language loaded: Name, or "English".
QString Load_Language(QStringList& Lang_Strings, const QString& Language_Dir, const QString& Name);

// Load_Language of Language_Name, which becomes "English" when that language was not found.
void Load_Language(Shared_State& State);

} // namespace vo
