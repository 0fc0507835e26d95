#pragma once

#include "util/Result.h"

#include <QString>

namespace vo {

// A record id as this program makes them: the time "20261210-135005-123", with "-2", "-3", ...
// after a clash. Anything else (a path, "..") is no record of ours, wherever it is read.
bool Is_Record_Id(const QString& Id);

// The one rule for every path of the history: the History folder is a folder of the configuration
// itself, not a link; history.jsonl, when there, a regular file, not a link. Nothing is read from or
// written to a history that breaks it; the failure names the path.
Status Check_History_Place(const QString& Project_Path);

// The same for a record's snapshot folder, when there: a real folder named by a record id.
Status Check_Snapshot_Place(const QString& Project_Path, const QString& Id);

} // namespace vo
