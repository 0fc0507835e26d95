#pragma once

#include "util/File_Save.h"
#include "util/Result.h"

#include <QByteArray>
#include <QString>

namespace vo {

// Message when the report cannot be written (id of Lang_Strings); the reason follows.
inline constexpr int Msg_Report_Not_Written = 97;

struct Shared_State;

// How many of the latest updates and link tests the report lists.
inline constexpr int Report_Records = 8;

// The commissioning report of the open configuration as HTML, in the state's language: a title block
// with the commissioning data, the verdict in words, every parameter as the dialog shows it, the
// latest updates and link tests in local time, room for two signatures, and the checksums of its
// files in an appendix. An unreadable ParGen.xml, history or commissioning data, or a file of the
// configuration that cannot be read, fails.
Result<QString> Report_Html(const Shared_State& State);

// The report as a PDF document on A4, one page where it fits. Needs a QGuiApplication.
QByteArray Report_Pdf(const QString& Html);

// Report_Html and Report_Pdf, written to Path in one step: a failure leaves no file behind.
Status Write_Report(const Shared_State& State, const QString& Path);

} // namespace vo
