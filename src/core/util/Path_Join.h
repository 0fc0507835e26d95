#pragma once

#include <QString>

namespace vo {

// The separator of this system's paths ("\" on Windows, "/" elsewhere).
QChar Native_Separator();

// Folder + separator + Name, all with the system's separators; folders hold no trailing separator.
QString Join_Path(const QString& Folder, const QString& Name);

} // namespace vo
