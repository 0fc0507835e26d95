#pragma once

#include <QLockFile>
#include <QString>
#include <chrono>
#include <memory>

namespace vo {

// How long a second writer waits for the first before it gives up.
inline constexpr std::chrono::milliseconds Writer_Lock_Wait{3000};

// One writer at a time, across processes: a lock file that holds the owner's process id and
// host. A lock left behind by a process that no longer runs is taken over; a lock is never
// broken for its age alone, as an update may hold one for minutes.
class Writer_Lock {
public:
    explicit Writer_Lock(const QString& Lock_File);
    ~Writer_Lock();
    Writer_Lock(const Writer_Lock&) = delete;
    Writer_Lock& operator=(const Writer_Lock&) = delete;

    // Takes the lock, waiting up to Wait for another holder to let go. Empty on success, otherwise
    // the holder (process id, program and host). Where no lock file can be made at all (read-only
    // folder, full disk) it is empty too, without the lock: no writer can write there.
    [[nodiscard]] QString Acquire(std::chrono::milliseconds Wait = Writer_Lock_Wait);
    void Release();
    bool Held() const;

private:
    QString Path;
    std::unique_ptr<QLockFile> Lock;
};

} // namespace vo
