#include "Windows_Process.h"

#include "Wide_Text.h"

#include <algorithm>
#include <windows.h>

namespace vo {

Windows_Process::Windows_Process(const std::string& Program, const std::string& Parameter, bool Show_Window) {
    const std::wstring Application = Wide_From_Utf8(Program);
    // The command line repeats the program, quoted, as the program's own first word.
    std::wstring Command_Line = L"\"" + Application + L"\"";
    if (!Parameter.empty())
        Command_Line += L" " + Wide_From_Utf8(Parameter);

    STARTUPINFOW Startup{};
    Startup.cb = sizeof Startup;
    Startup.dwFlags = STARTF_USESHOWWINDOW;
    Startup.wShowWindow = Show_Window ? SW_SHOWNORMAL : SW_HIDE;
    PROCESS_INFORMATION Started{};
    if (!CreateProcessW(Application.c_str(), Command_Line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &Startup, &Started)) {
        Error = GetLastError();
        return;
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

int Windows_Process::Exit_Code() const {
    DWORD Code = 0;
    if (Process != nullptr)
        GetExitCodeProcess(Process, &Code);
    return static_cast<int>(Code);
}

} // namespace vo
