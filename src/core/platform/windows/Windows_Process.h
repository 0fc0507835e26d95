#pragma once

#include <chrono>
#include <string>

namespace vo {

// A program started with CreateProcessW from its full path and its parameter text, which the
// program gets as it is. Letting this object go closes the handles and leaves the program running.
class Windows_Process {
public:
    Windows_Process(const std::string& Program, const std::string& Parameter, bool Show_Window);
    ~Windows_Process();
    Windows_Process(const Windows_Process&) = delete;
    Windows_Process& operator=(const Windows_Process&) = delete;

    // The Win32 error of a start that failed, 0 once started.
    unsigned long Start_Error() const { return Error; }
    unsigned long Id() const { return Process_Id; }

    // Waits up to Pause for the end; true once the program has ended.
    bool Ended_Within(std::chrono::milliseconds Pause);

    // The exit code of an ended program.
    unsigned long Exit_Code() const;

private:
    void* Process = nullptr;
    unsigned long Process_Id = 0;
    unsigned long Error = 0;
};

} // namespace vo
