#include "Path_Join.h"

#include <QDir>

namespace vo {

QChar Native_Separator() {
    return QDir::separator();
}

QString Join_Path(const QString& Folder, const QString& Name) {
    return Folder + Native_Separator() + Name;
}

} // namespace vo
