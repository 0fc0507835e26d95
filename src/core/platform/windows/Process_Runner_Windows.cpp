#include "Wide_Text.h"
#include "Windows_Process.h"
#include "platform/Process_Runner.h"

#include <algorithm>

namespace vo {

namespace {

constexpr std::chrono::milliseconds Look_Interval{10};

class Windows_Process_Runner final : public Process_Runner {
public:
    Run_Result Run(const std::string& Program, const std::string& Parameter, bool Show_Window,
                   std::chrono::milliseconds Limit) override {
        Run_Result Result;
        Windows_Process Child(Program, Parameter, Show_Window);
        if (Child.Start_Error() != 0) {
            Result.Error_Text = "Cannot start \"" + Program + "\": " + System_Error_Text(Child.Start_Error());
            return Result;
        }
        Result.Process_Id = static_cast<long>(Child.Id());
        // The end is told by the process handle, not by the exit code: a program may well end
        // with the code that GetExitCodeProcess gives for a running one (259).
        using Clock = std::chrono::steady_clock;
        const Clock::time_point Start = Clock::now();
        for (;;) {
            const auto Left =
                Limit - std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Start);
            const auto Pause = std::clamp(Left, std::chrono::milliseconds::zero(), Look_Interval);
            if (Child.Ended_Within(Pause))
                break;
            if (Left <= Pause) {
                Result.Outcome = Run_Result::State::Still_Running;
                return Result;
            }
        }
        Result.Outcome = Run_Result::State::Ended;
        Result.Exit_Code = static_cast<int>(Child.Exit_Code());
        return Result;
    }
};

} // namespace

std::unique_ptr<Process_Runner> Make_Process_Runner() {
    return std::make_unique<Windows_Process_Runner>();
}

const char* Program_Suffix() {
    return ".exe";
}

bool Parameter_Text_Split_By_Shell_Rules() {
    return false;
}

} // namespace vo
