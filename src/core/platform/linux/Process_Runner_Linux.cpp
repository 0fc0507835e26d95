#include "Child_Process.h"
#include "Output_Reader_Linux.h"
#include "Parameter_Split.h"
#include "platform/Process_Runner.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace vo {

namespace {

// A wait for the rest of the output of a program that has ended.
constexpr std::chrono::milliseconds Output_Settle{200};

// Two pipes for a child's output and error; the read ends go to the reader, the write ends to the
// child and are closed here once it started.
class Child_Pipes {
public:
    bool Make() { return pipe2(Output, O_CLOEXEC) == 0 && pipe2(Error, O_CLOEXEC) == 0; }
    ~Child_Pipes() {
        for (const int Fd : {Output[0], Output[1], Error[0], Error[1]})
            if (Fd >= 0)
                close(Fd);
    }
    // The read ends, no longer closed here.
    Output_Pipes Take_Read_Ends() {
        const Output_Pipes Ends{Output[0], Error[0]};
        Output[0] = Error[0] = -1;
        return Ends;
    }

    int Output[2] = {-1, -1};
    int Error[2] = {-1, -1};
};

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
        Child_Pipes Pipes;
        std::shared_ptr<Output_Tail> Tail;
        if (Output != Program_Output::Inherited) {
            if (!Pipes.Make()) {
                Result.Error_Text =
                    "Cannot start \"" + Program + "\": " + std::generic_category().message(errno);
                return Result;
            }
            Options.Output_Fd = Pipes.Output[1];
            Options.Error_Fd = Pipes.Error[1];
            Tail = std::make_shared<Output_Tail>();
        }
        auto Started = std::make_unique<Linux_Running_Program>(Program, Arguments, Options, Tail);
        if (Started->Start_Error() != 0) {
            Result.Error_Text = "Cannot start \"" + Program +
                                "\": " + std::generic_category().message(Started->Start_Error());
            return Result;
        }
        if (Tail)
            Start_Output_Reader(Pipes.Take_Read_Ends(), Output == Program_Output::Kept_And_Echoed, Tail);
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
