// Runs a Windows seam under wine for the tests that set up its surroundings from Linux:
//   windows_platform_tool ports [HOLD]           lists the ports, COM<HOLD> held open meanwhile
//   windows_platform_tool echo ADDRESS TIMEOUT_MS
//   windows_platform_tool open URL
#include "platform/Echo_Probe.h"
#include "platform/Port_Probe.h"
#include "platform/Web_Page.h"

#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>

namespace {

const char* Outcome_Name(vo::Echo_Reply::Kind Outcome) {
    switch (Outcome) {
    case vo::Echo_Reply::Kind::Answered:
        return "answered";
    case vo::Echo_Reply::Kind::No_Answer:
        return "no-answer";
    case vo::Echo_Reply::Kind::Failed:
        break;
    }
    return "failed";
}

int Ports(const std::vector<std::string>& Args) {
    HANDLE Held = INVALID_HANDLE_VALUE;
    if (Args.size() > 1) {
        const std::string Device = "\\\\.\\COM" + Args[1];
        Held =
            CreateFileA(Device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (Held == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "cannot hold %s: error %lu\n", Device.c_str(), GetLastError());
            return 1;
        }
    }
    for (const std::string& Port : vo::Make_Port_Probe()->Present_Ports())
        std::printf("%s\n", Port.c_str());
    if (Held != INVALID_HANDLE_VALUE)
        CloseHandle(Held);
    return 0;
}

int Echo(const std::vector<std::string>& Args) {
    const vo::Echo_Reply Reply = vo::Make_Echo_Probe()->Send_Echo(
        Args[1], "abcdefghijklmnopqrstuvwa", std::chrono::milliseconds(std::stoi(Args[2])), [] {});
    std::printf("%s %s\n", Outcome_Name(Reply.Outcome), Reply.Error_Text.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> Args(argv + 1, argv + argc);
    if (!Args.empty() && Args[0] == "ports")
        return Ports(Args);
    if (Args.size() == 3 && Args[0] == "echo")
        return Echo(Args);
    if (Args.size() == 2 && Args[0] == "open")
        return vo::Open_Web_Page(Args[1]) ? 0 : 1;
    std::fprintf(stderr, "usage: windows_platform_tool ports [HOLD] | echo ADDRESS TIMEOUT_MS | open URL\n");
    return 2;
}
