#pragma once

#include <QString>

namespace vo {

// Qt's own texts (Yes and No, OK and Cancel of the message boxes, the edit menus) follow the
// language of the string table: its Qt translation is installed in place of the last one, none for
// English or a language without one. False when a translation was wanted but not found.
bool Follow_Qt_Texts(const QString& Language_Name);

} // namespace vo
