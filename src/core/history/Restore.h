#pragma once

#include "util/Result.h"

#include <QString>

namespace vo {

// Message when a restore fails (id of Lang_Strings); the reason follows.
inline constexpr int Msg_Restore_Failed = 79;

// Makes the ParGen.xml of record Id's snapshot the configuration's current one. The snapshot must
// hold exactly what its record says. The current files are first kept as a snapshot of their own
// with a restore record, so the restore can be undone by restoring that record: gives its id.
// Any failure leaves the current ParGen.xml as it was.
Result<QString> Restore_Snapshot(const QString& Project_Path, const QString& ParGen_File, const QString& Id);

} // namespace vo
