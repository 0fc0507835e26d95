#pragma once

#include <QStringList>

namespace vo_test {

struct Tool_Run {
    QString Skip_Reason; // why the tool could not be run unprivileged; empty when it ran
    int Exit_Code = -1;
    QStringList Lines; // what it printed
    QString Errors;    // what it printed as errors
};

// Runs the platform tool with Arguments as a user without privileges: as nobody under setpriv
// when this process is root, directly otherwise.
Tool_Run Run_Tool_Unprivileged(const QStringList& Arguments);

} // namespace vo_test
