#include "Child_Process.h"
#include "Parameter_Split.h"
#include "platform/Process_Runner.h"

#include <system_error>

namespace vo {

namespace {

class Linux_Process_Runner final : public Process_Runner {
public:
    // Linux programs open their own windows: there is no show request to hand on.
    Run_Result Run(const std::string& Program, const std::string& Parameter, bool,
                   std::chrono::milliseconds Limit, const Wait_Watch& Watch) override {
        Run_Result Result;
        const auto Words = Split_Parameter_Text(Parameter);
        if (!Words) {
            Result.Error_Text = "Cannot start \"" + Program + "\": its parameter text leaves a quote open";
            return Result;
        }
        std::vector<std::string> Arguments{Program};
        Arguments.insert(Arguments.end(), Words->begin(), Words->end());

        Child_Process Child(Program, Arguments, {});
        if (Child.Start_Error() != 0) {
            Result.Error_Text =
                "Cannot start \"" + Program + "\": " + std::generic_category().message(Child.Start_Error());
            return Result;
        }
        Result.Process_Id = Child.Id();
        const long Id = Child.Id();
        if (!Child.Wait(Limit, Watch ? std::function<void()>([&Watch, Id] { Watch(Id); })
                                     : std::function<void()>())) {
            Result.Outcome = Run_Result::State::Still_Running;
            return Result;
        }
        Result.Outcome = Run_Result::State::Ended;
        Result.Exit_Code = Child.Exit_Code();
        Result.Term_Signal = Child.Term_Signal();
        return Result;
    }
};

} // namespace

std::unique_ptr<Process_Runner> Make_Process_Runner() {
    return std::make_unique<Linux_Process_Runner>();
}

const char* Program_Suffix() {
    return "";
}

bool Parameter_Text_Split_By_Shell_Rules() {
    return true;
}

} // namespace vo
