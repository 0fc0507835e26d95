#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>

namespace vo {

// Replaces the file at Path with Data in one step: readers see the old or the new content,
// never a torn file. A failure leaves the old file as it was, and its reason names the file.
// Owner, group (as far as this process may) and mode of the old file are kept, and the folder
// is synced after the rename.
Status Save_File_Atomic(const QString& Path, const QByteArray& Data);

// Save_File_Atomic for a file of the configuration folder Project_Path: a file that is, or lies
// behind, a link leading outside that folder is not written through.
Status Save_Configuration_File(const QString& Path, const QByteArray& Data, const QString& Project_Path);

} // namespace vo
