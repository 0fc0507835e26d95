#include "Process_Runner.h"

#include <algorithm>

namespace vo {

Run_Result Ended_Result(const Running_Program& Program) {
    Run_Result Result;
    Result.Outcome = Run_Result::State::Ended;
    Result.Process_Id = Program.Id();
    Result.Exit_Code = Program.Exit_Code();
    Result.Term_Signal = Program.Term_Signal();
    return Result;
}

Run_Result Wait_For_End(Start_Result& Started, std::chrono::milliseconds Limit, const Wait_Watch& Watch) {
    if (!Started.Program) {
        Run_Result Result;
        Result.Error_Text = Started.Error_Text;
        return Result;
    }
    Running_Program& Program = *Started.Program;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point Start = Clock::now();
    for (;;) {
        if (Watch)
            Watch(Program.Id());
        const auto Left = Limit - std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Start);
        if (Program.Ended_Within(std::clamp(Left, std::chrono::milliseconds::zero(), Program_Look_Interval)))
            return Ended_Result(Program);
        if (Left <= std::chrono::milliseconds::zero()) {
            Run_Result Result;
            Result.Outcome = Run_Result::State::Still_Running;
            Result.Process_Id = Program.Id();
            return Result;
        }
    }
}

Run_Result Process_Runner::Run(const std::string& Program, const std::string& Parameter, bool Show_Window,
                               std::chrono::milliseconds Limit, const Wait_Watch& Watch) {
    Start_Result Started = Start(Program, Parameter, Show_Window, Program_Output::Inherited);
    return Wait_For_End(Started, Limit, Watch);
}

} // namespace vo
