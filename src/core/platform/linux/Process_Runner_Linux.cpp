#include "Child_Process.h"
#include "Parameter_Split.h"
#include "platform/Process_Runner.h"

#include <system_error>

namespace vo {

namespace {

class Linux_Running_Program final : public Running_Program {
public:
    Linux_Running_Program(const std::string& Program, const std::vector<std::string>& Arguments)
        : Child(Program, Arguments, {}) {}

    int Start_Error() const { return Child.Start_Error(); }
    long Id() const override { return Child.Id(); }
    bool Ended_Within(std::chrono::milliseconds Wait) override { return Child.Wait(Wait, {}); }
    int Exit_Code() const override { return Child.Exit_Code(); }
    int Term_Signal() const override { return Child.Term_Signal(); }

private:
    Child_Process Child;
};

class Linux_Process_Runner final : public Process_Runner {
public:
    // Linux programs open their own windows: there is no show request to hand on.
    Start_Result Start(const std::string& Program, const std::string& Parameter, bool) override {
        Start_Result Result;
        const auto Words = Split_Parameter_Text(Parameter);
        if (!Words) {
            Result.Error_Text = "Cannot start \"" + Program + "\": its parameter text leaves a quote open";
            return Result;
        }
        std::vector<std::string> Arguments{Program};
        Arguments.insert(Arguments.end(), Words->begin(), Words->end());

        auto Started = std::make_unique<Linux_Running_Program>(Program, Arguments);
        if (Started->Start_Error() != 0) {
            Result.Error_Text = "Cannot start \"" + Program +
                                "\": " + std::generic_category().message(Started->Start_Error());
            return Result;
        }
        Result.Program = std::move(Started);
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
