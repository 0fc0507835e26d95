#pragma once

#include "platform/Output_Tail.h"
#include "platform/Process_Runner.h"

#include <chrono>
#include <memory>
#include <string>

namespace vo {

// A program started with CreateProcessW from its full path and its parameter text, which the
// program gets as it is. Letting this object go closes the handles and leaves the program running.
class Windows_Process final : public Running_Program {
public:
    Windows_Process(const std::string& Program, const std::string& Parameter, bool Show_Window,
                    Program_Output Output);
    ~Windows_Process() override;
    Windows_Process(const Windows_Process&) = delete;
    Windows_Process& operator=(const Windows_Process&) = delete;

    // The Win32 error of a start that failed, 0 once started.
    unsigned long Start_Error() const { return Error; }

    long Id() const override { return static_cast<long>(Process_Id); }
    // The end is told by the process handle, not by the exit code: a program may well end with
    // the code that GetExitCodeProcess gives for a running one (259).
    bool Ended_Within(std::chrono::milliseconds Wait) override;
    int Exit_Code() const override;
    // Windows programs end with an exit code only.
    int Term_Signal() const override { return 0; }
    std::string Output() const override;

private:
    void* Process = nullptr;
    unsigned long Process_Id = 0;
    unsigned long Error = 0;
    std::shared_ptr<Output_Tail> Tail;
};

} // namespace vo
