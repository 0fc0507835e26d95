#pragma once

#include <QDir>
#include <QString>

namespace vo_test {

// Path as the program shows, stores and hands it on: with the system's own separators.
inline QString Shown(const QString& Path) {
    return QDir::toNativeSeparators(Path);
}

} // namespace vo_test
