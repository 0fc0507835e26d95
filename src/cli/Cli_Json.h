#pragma once

#include "Cli_Context.h"

#include <QJsonObject>

namespace vo {

// Takes every Option (e.g. "--json") out of the command's arguments; true when there was one.
bool Take_Option(QStringList& Args, const QString& Option);

// Prints Object as one indented JSON document (UTF-8) on standard output.
void Print_Json(Cli_Context& Context, const QJsonObject& Object);

} // namespace vo
