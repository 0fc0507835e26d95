#pragma once

#include <QString>
#include <QStringList>

namespace vo {

// Languages shown per page of the options dialog.
inline constexpr int Languages_Per_Page = 6;

// The file names of the language files in Language_Dir, sorted without regard to case: plain
// files named "*.lng" that are writable by their owner (folders, read-only files and links are
// left out, as the origin system leaves out entries with such attributes).
QStringList Language_Files(const QString& Language_Dir);

// The language's name: the file name without its last four characters (".lng").
QString Language_Of(const QString& File_Name);

// Pages needed for Count languages (0 for none).
int Page_Count(int Count);

// The locale whose texts Qt's own dialog buttons take for the language named Language_Name
// ("Italiano" gives "it"), or "" for English and for a language this table does not know.
QString Qt_Locale_Of(const QString& Language_Name);

} // namespace vo
