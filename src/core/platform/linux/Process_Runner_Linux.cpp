#include "Child_Process.h"
#include "Output_Reader_Linux.h"
#include "Parameter_Split.h"
#include "platform/Process_Runner.h"

#include <system_error>

namespace vo {

namespace {

// A wait for the rest of the output of a program that has ended.
constexpr std::chrono::milliseconds Output_Settle{200};

class Linux_Running_Program final : public Running_Program {
public:
    Linux_Running_Program(const std::string& Program, const std::vector<std::string>& Arguments,
                          const Child_Options& Options, std::shared_ptr<Output_Tail> Kept)
        : Child(Program, Arguments, Options), Tail(std::move(Kept)) {}

    int Start_Error() const { return Child.Start_Error(); }
    long Id() const override { return Child.Id(); }
    bool Ended_Within(std::chrono::milliseconds Wait) override { return Child.Wait(Wait, {}); }
    int Exit_Code() const override { return Child.Exit_Code(); }
    int Term_Signal() const override { return Child.Term_Signal(); }
    std::string Output() const override { return Tail ? Tail->Text(Output_Settle) : std::string(); }

private:
    Child_Process Child;
    std::shared_ptr<Output_Tail> Tail;
};

class Linux_Process_Runner final : public Process_Runner {
public:
    // Linux programs open their own windows: there is no show request to hand on.
    Start_Result Start(const std::string& Program, const std::string& Parameter, bool,
                       Program_Output Output) override {
        Start_Result Result;
        const auto Words = Split_Parameter_Text(Parameter);
        if (!Words) {
            Result.Error_Text = "Cannot start \"" + Program + "\": its parameter text leaves a quote open";
            return Result;
        }
        std::vector<std::string> Arguments{Program};
        Arguments.insert(Arguments.end(), Words->begin(), Words->end());

        Child_Options Options;
        Output_Files Files;
        std::shared_ptr<Output_Tail> Tail;
        if (Output != Program_Output::Inherited) {
            if (const int Error = Files.Make(); Error != 0) {
                Result.Error_Text = "Cannot start \"" + Program +
                                    "\": no file for its output: " + std::generic_category().message(Error);
                return Result;
            }
            Options.Output_Fd = Files.Output_Write();
            Options.Error_Fd = Files.Error_Write();
            Tail = std::make_shared<Output_Tail>();
        }
        auto Started = std::make_unique<Linux_Running_Program>(Program, Arguments, Options, Tail);
        if (Started->Start_Error() != 0) {
            Result.Error_Text = "Cannot start \"" + Program +
                                "\": " + std::generic_category().message(Started->Start_Error());
            return Result;
        }
        if (Tail)
            Files.Follow(static_cast<pid_t>(Started->Id()), Output == Program_Output::Kept_And_Echoed, Tail);
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
