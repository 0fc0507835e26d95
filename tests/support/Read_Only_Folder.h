#pragma once

#include <QString>

namespace vo_test {

// Makes a folder refuse new files for as long as this object lives, to root too: root's rights
// ignore permissions, but not the immutable attribute of the file system.
class Read_Only_Folder {
public:
    explicit Read_Only_Folder(const QString& Path);
    ~Read_Only_Folder();
    Read_Only_Folder(const Read_Only_Folder&) = delete;
    Read_Only_Folder& operator=(const Read_Only_Folder&) = delete;

    // Why the folder could not be made read-only; empty when it is.
    QString Failure;

private:
    QString Path;
    bool Immutable = false;
};

} // namespace vo_test
