#pragma once

#include "util/Result.h"

#include <QString>

namespace vo {

// Message when a restore fails (id of Lang_Strings); the reason follows.
inline constexpr int Msg_Restore_Failed = 79;

// Makes the files of record Id's snapshot the configuration's current ones: ParGen.xml, and the
// images sent with it (bin/bank.bin, bin/bankK.bin) where the snapshot holds them, so that bin/
// holds what was sent with those parameters. The snapshot must hold exactly what its record says.
// The current files are first kept as a snapshot of their own with a restore record, so the
// restore can be undone by restoring that record: gives its id. All of it under the
// configuration's lock, each file replaced atomically; a failure before the first replacement
// leaves every file as it was.
Result<QString> Restore_Snapshot(const QString& Project_Path, const QString& ParGen_File, const QString& Id);

} // namespace vo
