#include "Output_Reader_Linux.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace vo {

namespace {

constexpr int Look_Ms = 10;

// A file without a name in the temporary folder, with a second, independent way in for reading.
bool Make_File(int& Write_Fd, int& Read_Fd) {
    const char* Folder = std::getenv("TMPDIR");
    const std::string Dir = Folder != nullptr && *Folder != '\0' ? Folder : "/tmp";
    Write_Fd = open(Dir.c_str(), O_TMPFILE | O_WRONLY | O_APPEND | O_CLOEXEC, 0600);
    if (Write_Fd < 0)
        return false;
    Read_Fd = open(("/proc/self/fd/" + std::to_string(Write_Fd)).c_str(), O_RDONLY | O_CLOEXEC);
    return Read_Fd >= 0;
}

// Writes what it can; a closed terminal or pipe ends the echo, never this program.
bool Write_Whole(int Fd, const char* Bytes, std::size_t Count) {
    while (Count > 0) {
        const ssize_t Written = write(Fd, Bytes, Count);
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            return false;
        Bytes += Written;
        Count -= static_cast<std::size_t>(Written);
    }
    return true;
}

// End: a descriptor that turns readable when the child ends, opened before it can be reaped (-1
// where the kernel has none: then the child's process id is looked at).
void Follow_To_End(pid_t Pid, int End, std::array<int, 2> Read, bool Echo,
                   const std::shared_ptr<Output_Tail>& Tail) {
    // A write to a closed pipe fails with EPIPE here instead of ending the program.
    sigset_t Pipe_Signal;
    sigemptyset(&Pipe_Signal);
    sigaddset(&Pipe_Signal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &Pipe_Signal, nullptr);
    const int Own[2] = {1, 2};
    bool Echoing[2] = {Echo, Echo};
    char Buffer[8192];
    for (bool Ended = false;;) {
        pollfd Watch{End, POLLIN, 0};
        Ended = Ended || (End >= 0 ? poll(&Watch, 1, Look_Ms) > 0 : (usleep(Look_Ms * 1000), false));
        if (End < 0 && kill(Pid, 0) != 0)
            Ended = true;
        // After the end, what is in the files is read to the last byte.
        for (int I = 0; I < 2; ++I) {
            ssize_t Count;
            while ((Count = read(Read[I], Buffer, sizeof Buffer)) > 0) {
                Tail->Add(Buffer, static_cast<std::size_t>(Count));
                if (Echoing[I])
                    Echoing[I] = Write_Whole(Own[I], Buffer, static_cast<std::size_t>(Count));
            }
        }
        if (Ended)
            break;
    }
    for (const int Fd : {Read[0], Read[1], End})
        if (Fd >= 0)
            close(Fd);
    Tail->Close();
}

} // namespace

Output_Files::~Output_Files() {
    for (const int Fd : {Write[0], Write[1], Read[0], Read[1]})
        if (Fd >= 0)
            close(Fd);
}

int Output_Files::Make() {
    for (int I = 0; I < 2; ++I)
        if (!Make_File(Write[I], Read[I]))
            return errno;
    return 0;
}

void Output_Files::Follow(pid_t Pid, bool Echo, std::shared_ptr<Output_Tail> Tail) {
    const std::array<int, 2> Taken{Read[0], Read[1]};
    Read[0] = Read[1] = -1;
    const int End = static_cast<int>(syscall(SYS_pidfd_open, Pid, 0));
    std::thread([Pid, End, Taken, Echo, Tail = std::move(Tail)] {
        Follow_To_End(Pid, End, Taken, Echo, Tail);
    }).detach();
}

} // namespace vo
