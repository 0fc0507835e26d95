#pragma once

#include "Update_Record.h"
#include "util/Result.h"

#include <QJsonObject>
#include <optional>

namespace vo {

// Appends a link test to the configuration's history, under its lock, with a snapshot of the
// files it tested: the evidence of what was on the line. Link: the run's settings, counts and verdict.
Result<QString> Record_Link_Test(const QString& Project_Path, const QJsonObject& Link);

// The latest link test of the configuration, if any.
std::optional<Update_Record> Last_Link_Test(const QString& Project_Path);

} // namespace vo
