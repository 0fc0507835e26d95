#pragma once

#include <QDir>
#include <QDirIterator>
#include <QStringList>

namespace vo_test {

// Every entry below Root, sorted: compared before and after, it proves that nothing was created.
inline QStringList Tree_Listing(const QString& Root) {
    QStringList All;
    QDirIterator It(Root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (It.hasNext())
        All.append(It.next());
    All.sort();
    return All;
}

} // namespace vo_test
