#pragma once

#include "shell/Shared_State.h"

#include <QStringList>
#include <QTextStream>

namespace vo {

// What every command gets: the shared state beside the executable with its language loaded,
// the command's own arguments, and the two output streams (UTF-8).
struct Cli_Context {
    Shared_State State;
    QStringList Args;
    QTextStream& Out;
    QTextStream& Err;
};

// Exit statuses of every command.
inline constexpr int Exit_Ok = 0;
inline constexpr int Exit_Failed = 1;
inline constexpr int Exit_Usage = 2;

} // namespace vo
