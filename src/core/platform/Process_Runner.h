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

// A program that was started and is watched without holding up its caller. Dropping it never
// stops the program: one still running is left running and reaped when it ends.
class Running_Program {
public:
    virtual ~Running_Program() = default;

    virtual long Id() const = 0;

    // Looks whether the program has ended, waiting for that at most Wait (zero: a look only).
    // True once it has ended; Exit_Code and Term_Signal then tell how.
    virtual bool Ended_Within(std::chrono::milliseconds Wait) = 0;
    virtual int Exit_Code() const = 0;
    virtual int Term_Signal() const = 0;
    // What it wrote to its standard output and error (the last Output_Tail_Limit bytes), when it
    // was started with Program_Output::Kept or Kept_And_Echoed; asked once it has ended, this waits
    // briefly for the rest still on its way.
    virtual std::string Output() const = 0;
};

// What becomes of a started program's standard output and error.
enum class Program_Output {
    Inherited,       // they are the caller's own
    Kept,            // kept for Running_Program::Output
    Kept_And_Echoed, // kept, and passed on to the caller's own as they come
};

// A started program, or why it could not be started.
struct Start_Result {
    std::unique_ptr<Running_Program> Program;
    std::string Error_Text; // names the program and the reason when Program is empty
};

// Runs at each look while a started program is waited for, with its process id.
using Wait_Watch = std::function<void(long Process_Id)>;

// How often a wait for a program looks whether it has ended.
inline constexpr std::chrono::milliseconds Program_Look_Interval{10};

// Starts external programs.
class Process_Runner {
public:
    virtual ~Process_Runner() = default;

    // Starts Program with its parameter text, never through a shell, and returns at once.
    // Show_Window asks for a normally shown window rather than a hidden one where the system starts
    // programs with such a choice.
    virtual Start_Result Start(const std::string& Program, const std::string& Parameter, bool Show_Window,
                               Program_Output Output) = 0;

    // Starts Program as Start does, its output its caller's, and waits for its end, for at most
    // Limit; Watch, when set, runs at each look.
    Run_Result Run(const std::string& Program, const std::string& Parameter, bool Show_Window,
                   std::chrono::milliseconds Limit, const Wait_Watch& Watch = {});
};

// How a started program ended, once Ended_Within has seen it end.
Run_Result Ended_Result(const Running_Program& Program);

// Waits for the end of a started program, looking every Program_Look_Interval, for at most Limit;
// a program that was not started gives Not_Started with the reason. Watch, when set, runs at each look.
Run_Result Wait_For_End(Start_Result& Started, std::chrono::milliseconds Limit, const Wait_Watch& Watch = {});

// The runner of this system.
std::unique_ptr<Process_Runner> Make_Process_Runner();

// How the names of program files end on this system (".exe" on Windows).
const char* Program_Suffix();

// True where the runner splits a parameter text into words by the quoting rules of the POSIX shell;
// elsewhere the program gets the text as it is.
bool Parameter_Text_Split_By_Shell_Rules();

} // namespace vo
