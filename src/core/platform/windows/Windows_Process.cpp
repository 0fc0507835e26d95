#include "Windows_Process.h"

#include "Output_Reader_Windows.h"
#include "Wide_Text.h"

#include <algorithm>
#include <windows.h>

namespace vo {

namespace {

// A wait for the rest of the output of a program that has ended.
constexpr std::chrono::milliseconds Output_Settle{200};

// A pipe whose write end the child inherits; the parent keeps the read end to itself.
struct Child_Pipe {
    HANDLE Read = nullptr;
    HANDLE Write = nullptr;

    bool Make() {
        SECURITY_ATTRIBUTES Inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        return CreatePipe(&Read, &Write, &Inherited, 0) && SetHandleInformation(Read, HANDLE_FLAG_INHERIT, 0);
    }
    void Close_Write() {
        if (Write != nullptr)
            CloseHandle(Write);
        Write = nullptr;
    }
    void Close() {
        Close_Write();
        if (Read != nullptr)
            CloseHandle(Read);
        Read = nullptr;
    }
};

} // namespace

Windows_Process::Windows_Process(const std::string& Program, const std::string& Parameter, bool Show_Window,
                                 Program_Output Output) {
    const std::wstring Application = Wide_From_Utf8(Program);
    // The command line repeats the program, quoted, as the program's own first word.
    std::wstring Command_Line = L"\"" + Application + L"\"";
    if (!Parameter.empty())
        Command_Line += L" " + Wide_From_Utf8(Parameter);

    STARTUPINFOW Startup{};
    Startup.cb = sizeof Startup;
    Startup.dwFlags = STARTF_USESHOWWINDOW;
    Startup.wShowWindow = Show_Window ? SW_SHOWNORMAL : SW_HIDE;
    Child_Pipe Out;
    Child_Pipe Err;
    const bool Keep = Output != Program_Output::Inherited;
    if (Keep) {
        if (!Out.Make() || !Err.Make()) {
            Error = GetLastError();
            Out.Close();
            Err.Close();
            return;
        }
        Startup.dwFlags |= STARTF_USESTDHANDLES;
        Startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        Startup.hStdOutput = Out.Write;
        Startup.hStdError = Err.Write;
    }
    PROCESS_INFORMATION Started{};
    const BOOL Made = CreateProcessW(Application.c_str(), Command_Line.data(), nullptr, nullptr,
                                     Keep ? TRUE : FALSE, 0, nullptr, nullptr, &Startup, &Started);
    Error = Made ? 0 : GetLastError();
    // The child has its own copies of the write ends: the pipes end when it and its children do.
    Out.Close_Write();
    Err.Close_Write();
    if (!Made) {
        Out.Close();
        Err.Close();
        return;
    }
    if (Keep) {
        Tail = std::make_shared<Output_Tail>();
        Start_Output_Reader({Out.Read, Err.Read}, Output == Program_Output::Kept_And_Echoed, Tail);
    }
    CloseHandle(Started.hThread);
    Process = Started.hProcess;
    Process_Id = Started.dwProcessId;
}

Windows_Process::~Windows_Process() {
    if (Process != nullptr)
        CloseHandle(Process);
}

bool Windows_Process::Ended_Within(std::chrono::milliseconds Wait) {
    const auto Milliseconds = std::max<long long>(Wait.count(), 0);
    return Process != nullptr &&
           WaitForSingleObject(Process, static_cast<DWORD>(Milliseconds)) == WAIT_OBJECT_0;
}

std::string Windows_Process::Output() const {
    return Tail ? Tail->Text(Output_Settle) : std::string();
}

int Windows_Process::Exit_Code() const {
    DWORD Code = 0;
    if (Process != nullptr)
        GetExitCodeProcess(Process, &Code);
    return static_cast<int>(Code);
}

} // namespace vo
