#pragma once

#include "util/Writer_Lock.h"

namespace vo {

// Message when another writer holds the configuration (id of Lang_Strings, error); the holder
// follows.
inline constexpr int Msg_Configuration_Busy = 62;

// The lock every writer of a configuration holds while it reads and writes the configuration's
// files, so that two writers never lose each other's change.
class Configuration_Lock : public Writer_Lock {
public:
    explicit Configuration_Lock(const QString& Project_Path);
};

} // namespace vo
