#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace vo {

// What became of a started program.
struct Run_Result {
    enum class State {
        Ended,         // ended within the limit; Exit_Code or Term_Signal tell how
        Still_Running, // still running at the limit; left running and reaped when it ends
        Not_Started,   // could not be started; Error_Text names the program and the reason
    };

    State Outcome = State::Not_Started;
    int Exit_Code = 0;
    int Term_Signal = 0;
    long Process_Id = 0;
    std::string Error_Text;
};

// Runs every few milliseconds while a started program is waited for, with its process id.
using Wait_Watch = std::function<void(long Process_Id)>;

// Starts external programs and waits for their end.
class Process_Runner {
public:
    virtual ~Process_Runner() = default;

    // Starts Program with its parameter text, never through a shell, and waits for its end, for at
    // most Limit. Show_Window asks for a normally shown window rather than a hidden one where the
    // system starts programs with such a choice. Watch, when set, runs while the program is waited for.
    virtual Run_Result Run(const std::string& Program, const std::string& Parameter, bool Show_Window,
                           std::chrono::milliseconds Limit, const Wait_Watch& Watch) = 0;
};

// The runner of this system.
std::unique_ptr<Process_Runner> Make_Process_Runner();

// How the names of program files end on this system (".exe" on Windows).
const char* Program_Suffix();

// True where the runner splits a parameter text into words by the quoting rules of the POSIX shell;
// elsewhere the program gets the text as it is.
bool Parameter_Text_Split_By_Shell_Rules();

} // namespace vo
