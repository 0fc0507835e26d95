#include "Path_Join.h"

#include <QDir>

namespace vo {

QChar Native_Separator() {
    return QDir::separator();
}

QString Join_Path(const QString& Folder, const QString& Name) {
    // A folder that came from Qt holds "/": the joined path takes the system's own form.
    return QDir::toNativeSeparators(Folder + Native_Separator() + Name);
}

} // namespace vo
