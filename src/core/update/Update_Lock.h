#pragma once

#include "util/Writer_Lock.h"

namespace vo {

// Text when another update holds the program's update lock (id of Lang_Strings); it follows
// Msg_Updater_Not_Started and precedes the holder.
inline constexpr int Msg_Update_Running = 1039;

// The program-wide lock held while an updater runs: the job file has one fixed place beside the
// executable, so a second launch from any window or command must wait for the first.
class Update_Lock : public Writer_Lock {
public:
    explicit Update_Lock(const QString& Exe_Dir);
};

} // namespace vo
