#pragma once

#include "Result.h"

#include <QLockFile>
#include <QString>
#include <chrono>
#include <memory>

namespace vo {

// How long a second writer waits for the first before it gives up.
inline constexpr std::chrono::milliseconds Writer_Lock_Wait{3000};

// Messages when another process holds a lock (ids of Lang_Strings); the holder follows.
inline constexpr int Msg_Configuration_Busy = 62; // the configuration's lock: an error
inline constexpr int Msg_Update_Running = 1039;   // the update lock: after Msg_Updater_Not_Started

// What a lock keeps to one writer.
enum class Lock_Of {
    // A configuration, held by every writer while it reads and writes the configuration's files,
    // so that two writers never lose each other's change; its file is in the configuration folder.
    Configuration,
    // The updates, held while an updater runs: the job file has one fixed place beside the
    // executable, so a second launch from any window or command must wait for the first; its file
    // is in the executable's folder.
    Updates,
};

// One writer at a time, across processes: a lock file that holds the owner's process id and
// host. A lock left behind by a process that no longer runs is taken over, and so is one that
// names no holder at all (empty or garbage, as a kill during its writing leaves it) once it is a
// few seconds old; a lock that names a live holder is never broken for its age alone, as an
// update may hold one for minutes. A lock file that is not a regular file (a FIFO, a folder, a
// link) is an error at once, never a wait.
class Writer_Lock {
public:
    Writer_Lock(Lock_Of What, const QString& Folder);
    ~Writer_Lock();
    Writer_Lock(const Writer_Lock&) = delete;
    Writer_Lock& operator=(const Writer_Lock&) = delete;

    // Takes the lock, waiting up to Wait for another holder to let go; fails naming the holder
    // (process id, program and host). Where no lock file can be made at all (read-only folder,
    // full disk) it succeeds too, without the lock: no writer can write there.
    Status Acquire(std::chrono::milliseconds Wait = Writer_Lock_Wait);
    void Release();
    bool Held() const;

private:
    QString Path;
    std::unique_ptr<QLockFile> Lock;
};

} // namespace vo
