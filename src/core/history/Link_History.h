#pragma once

#include "Snapshot.h"
#include "Update_Record.h"
#include "util/Result.h"

#include <QJsonObject>
#include <optional>

namespace vo {

// Appends a link test to the configuration's history, under its lock, with a snapshot of the
// files it tested (Tested, read as the run began): the evidence of what was on the line. Link: the
// run's settings, counts and verdict.
Result<QString> Record_Link_Test(const QString& Project_Path, const Config_Files& Tested,
                                 const QJsonObject& Link);

// The latest link test of the configuration, if any.
std::optional<Update_Record> Last_Link_Test(const QString& Project_Path);

} // namespace vo
