// Runs a platform seam in a process of its own, so that tests can run it as another user or, for
// the Windows seams, under wine in surroundings set up from Linux:
//   platform_tool echo ADDRESS TIMEOUT_MS [METHODS]   METHODS (Linux): comma-separated datagram,raw,ping
//   platform_tool ports FOLDER                         (Linux) the ports of the device folder FOLDER
//   platform_tool states ROOT       (Linux) each port of ROOT/dev: its path, state and the group that may
//   open it platform_tool ports [HOLD]                         (Windows) the ports, COM<HOLD> held open
//   meanwhile platform_tool open URL                             (Windows) opens URL in the browser
#include "platform/Echo_Probe.h"
#include "platform/Port_Probe.h"

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/Web_Page.h"

#include <windows.h>
#else
#include "platform/linux/Echo_Probe_Linux.h"
#include "platform/linux/Port_Probe_Linux.h"
#endif

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

constexpr const char* Echo_Payload = "abcdefghijklmnopqrstuvwa";

#ifdef _WIN32

constexpr const char* Usage = "usage: platform_tool echo ADDRESS TIMEOUT_MS | ports [HOLD] | open URL\n";

int Echo(const std::vector<std::string>& Args) {
    const vo::Echo_Reply Reply = vo::Make_Echo_Probe()->Send_Echo(
        Args[1], Echo_Payload, std::chrono::milliseconds(std::stoi(Args[2])), [] {});
    std::printf("%s %s\n", Outcome_Name(Reply.Outcome), Reply.Error_Text.c_str());
    return 0;
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

int Other(const std::vector<std::string>& Args) {
    if (Args.size() == 2 && Args[0] == "open")
        return vo::Open_Web_Page(Args[1]) ? 0 : 1;
    std::fprintf(stderr, "%s", Usage);
    return 2;
}

#else

constexpr const char* Usage =
    "usage: platform_tool echo ADDRESS TIMEOUT_MS [METHODS] | ports FOLDER | states ROOT\n";

int Echo(const std::vector<std::string>& Args) {
    vo::Echo_Methods Methods;
    if (Args.size() > 3) {
        const std::string& List = Args[3];
        Methods = {List.find("datagram") != std::string::npos, List.find("raw") != std::string::npos,
                   List.find("ping") != std::string::npos};
    }
    vo::Linux_Echo_Probe Probe(Methods);
    const vo::Echo_Reply Reply =
        Probe.Send_Echo(Args[1], Echo_Payload, std::chrono::milliseconds(std::stoi(Args[2])), {});
    std::printf("%s %s %s\n", Outcome_Name(Reply.Outcome), vo::Echo_Method_Name(Probe.Method()),
                Reply.Error_Text.c_str());
    return 0;
}

int Ports(const std::vector<std::string>& Args) {
    if (Args.size() != 2) {
        std::fprintf(stderr, "%s", Usage);
        return 2;
    }
    for (const std::string& Port : vo::Linux_Port_Probe(Args[1]).Present_Ports())
        std::printf("%s\n", Port.c_str());
    return 0;
}

int States(const std::vector<std::string>& Args) {
    const char* const Names[] = {"free", "busy", "not-permitted", "gone"};
    for (const vo::Port_Info& Port : vo::Make_Port_Probe_At(Args[1])->Describe_Ports())
        std::printf("%s %s %s\n", Port.Name.c_str(), Names[static_cast<int>(Port.Status.Port_State)],
                    Port.Status.Fix_Group.c_str());
    return 0;
}

int Other(const std::vector<std::string>& Args) {
    if (Args.size() == 2 && Args[0] == "states")
        return States(Args);
    std::fprintf(stderr, "%s", Usage);
    return 2;
}

#endif

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> Args(argv + 1, argv + argc);
    if (Args.size() >= 3 && Args[0] == "echo")
        return Echo(Args);
    if (!Args.empty() && Args[0] == "ports")
        return Ports(Args);
    return Other(Args);
}
