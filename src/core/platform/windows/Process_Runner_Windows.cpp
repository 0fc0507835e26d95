#include "Wide_Text.h"
#include "Windows_Process.h"
#include "platform/Process_Runner.h"

namespace vo {

namespace {

class Windows_Process_Runner final : public Process_Runner {
public:
    Start_Result Start(const std::string& Program, const std::string& Parameter, bool Show_Window,
                       Program_Output Output) override {
        Start_Result Result;
        auto Started = std::make_unique<Windows_Process>(Program, Parameter, Show_Window, Output);
        if (Started->Start_Error() != 0) {
            Result.Error_Text =
                "Cannot start \"" + Program + "\": " + System_Error_Text(Started->Start_Error());
            return Result;
        }
        Result.Program = std::move(Started);
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
