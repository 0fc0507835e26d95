#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vo {

struct Child_Options {
    bool Search_Path = false;    // look the program up in PATH
    bool Capture_Output = false; // input from /dev/null, output and error output kept for Output
    // Descriptors that become the child's standard output and error (-1: its own are inherited).
    int Output_Fd = -1;
    int Error_Fd = -1;
    std::vector<std::string> Environment_First; // "NAME=value" entries that win over the inherited ones
};

// A program started by argument vector, never through a shell. A child that has not been seen to
// end when this object goes is left running and reaped by a thread of its own when it ends, so it
// never stays behind as a zombie.
class Child_Process {
public:
    // Starts Program with Arguments, the first being the name the program sees as its own.
    Child_Process(const std::string& Program, const std::vector<std::string>& Arguments,
                  const Child_Options& Options);
    ~Child_Process();
    Child_Process(const Child_Process&) = delete;
    Child_Process& operator=(const Child_Process&) = delete;

    // The errno of a start that failed, 0 once started.
    int Start_Error() const { return Error; }
    pid_t Id() const { return Pid; }

    // Waits up to Limit for the end, looking every 10 ms and calling While_Waiting (when set) after
    // each look. True once the child has ended.
    bool Wait(std::chrono::milliseconds Limit, const std::function<void()>& While_Waiting);

    // How an ended child ended: its exit code, or the signal that ended it (0 otherwise).
    int Exit_Code() const;
    int Term_Signal() const;

    // Ends the child at once and reaps it.
    void Kill();

    // The start of what a child with Capture_Output wrote, once it has ended.
    std::string Output();

private:
    bool Reap_If_Ended();

    pid_t Pid = -1;
    int Pid_Fd = -1;
    int Output_Pipe = -1;
    int Error = 0;
    int Status = 0;
    bool Ended = false;
};

} // namespace vo
