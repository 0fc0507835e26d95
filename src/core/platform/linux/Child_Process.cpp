#include "Child_Process.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vo {

namespace {

constexpr std::chrono::milliseconds Look_Interval{10};
constexpr std::size_t Output_Cap = 4096;

// A descriptor that becomes readable when the process ends, so a wait ends at once rather than
// at the next look; -1 where the kernel has none.
int Open_Pid_Fd(pid_t Pid) {
    return static_cast<int>(syscall(SYS_pidfd_open, Pid, 0));
}

class Spawn_Actions {
public:
    Spawn_Actions() { posix_spawn_file_actions_init(&Actions); }
    ~Spawn_Actions() { posix_spawn_file_actions_destroy(&Actions); }
    Spawn_Actions(const Spawn_Actions&) = delete;
    Spawn_Actions& operator=(const Spawn_Actions&) = delete;
    posix_spawn_file_actions_t* Get() { return &Actions; }

private:
    posix_spawn_file_actions_t Actions;
};

} // namespace

Child_Process::Child_Process(const std::string& Program, const std::vector<std::string>& Arguments,
                             const Child_Options& Options) {
    std::vector<char*> Argv;
    for (const std::string& Argument : Arguments)
        Argv.push_back(const_cast<char*>(Argument.c_str()));
    Argv.push_back(nullptr);

    // getenv takes the first entry of a name, so the entries put first win.
    std::vector<char*> Environment;
    for (const std::string& Entry : Options.Environment_First)
        Environment.push_back(const_cast<char*>(Entry.c_str()));
    for (char** Entry = environ; *Entry != nullptr; ++Entry)
        Environment.push_back(*Entry);
    Environment.push_back(nullptr);

    Spawn_Actions Actions;
    int Pipe[2] = {-1, -1};
    if (Options.Capture_Output) {
        if (pipe2(Pipe, O_CLOEXEC) != 0) {
            Error = errno;
            return;
        }
        posix_spawn_file_actions_addopen(Actions.Get(), 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(Actions.Get(), Pipe[1], 1);
        posix_spawn_file_actions_adddup2(Actions.Get(), Pipe[1], 2);
    }
    if (Options.Output_Fd >= 0)
        posix_spawn_file_actions_adddup2(Actions.Get(), Options.Output_Fd, 1);
    if (Options.Error_Fd >= 0)
        posix_spawn_file_actions_adddup2(Actions.Get(), Options.Error_Fd, 2);
    const auto Spawn = Options.Search_Path ? posix_spawnp : posix_spawn;
    Error = Spawn(&Pid, Program.c_str(), Actions.Get(), nullptr, Argv.data(), Environment.data());
    if (Options.Capture_Output) {
        close(Pipe[1]);
        Output_Pipe = Pipe[0];
        fcntl(Output_Pipe, F_SETFL, O_NONBLOCK);
    }
    if (Error != 0) {
        Pid = -1;
        return;
    }
    Pid_Fd = Open_Pid_Fd(Pid);
}

Child_Process::~Child_Process() {
    if (Pid > 0 && !Ended) {
        std::thread([Pid = Pid] {
            while (waitpid(Pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
    if (Pid_Fd >= 0)
        close(Pid_Fd);
    if (Output_Pipe >= 0)
        close(Output_Pipe);
}

bool Child_Process::Reap_If_Ended() {
    if (!Ended && Pid > 0) {
        pid_t Done;
        while ((Done = waitpid(Pid, &Status, WNOHANG)) < 0 && errno == EINTR) {
        }
        Ended = Done == Pid;
    }
    return Ended;
}

bool Child_Process::Wait(std::chrono::milliseconds Limit, const std::function<void()>& While_Waiting) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point Start = Clock::now();
    while (!Reap_If_Ended()) {
        const auto Left = Limit - std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Start);
        if (Pid <= 0 || Left <= std::chrono::milliseconds::zero())
            return false;
        pollfd End{Pid_Fd, POLLIN, 0};
        poll(Pid_Fd >= 0 ? &End : nullptr, Pid_Fd >= 0 ? 1 : 0,
             static_cast<int>(std::min(Left, Look_Interval).count()));
        if (While_Waiting)
            While_Waiting();
    }
    return true;
}

int Child_Process::Exit_Code() const {
    return Ended && WIFEXITED(Status) ? WEXITSTATUS(Status) : 0;
}

int Child_Process::Term_Signal() const {
    return Ended && WIFSIGNALED(Status) ? WTERMSIG(Status) : 0;
}

void Child_Process::Kill() {
    if (Pid <= 0 || Ended)
        return;
    kill(Pid, SIGKILL);
    while (waitpid(Pid, &Status, 0) < 0 && errno == EINTR) {
    }
    Ended = true;
}

std::string Child_Process::Output() {
    std::string Text;
    char Buffer[512];
    ssize_t Count;
    while (Output_Pipe >= 0 && Text.size() < Output_Cap &&
           (Count = read(Output_Pipe, Buffer, sizeof Buffer)) > 0)
        Text.append(Buffer, static_cast<std::size_t>(Count));
    return Text.substr(0, Output_Cap);
}

} // namespace vo
