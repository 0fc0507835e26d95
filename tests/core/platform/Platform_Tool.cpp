// Runs a platform probe in a process of its own, so that tests can run it as another user:
//   platform_tool echo ADDRESS TIMEOUT_MS [METHODS]   METHODS: comma-separated datagram,raw,ping
//   platform_tool ports FOLDER
//   platform_tool states ROOT      each port of ROOT/dev: its path, state and the group that may open it
#include "platform/linux/Echo_Probe_Linux.h"
#include "platform/linux/Port_Probe_Linux.h"

#include <cstdio>
#include <string>
#include <vector>

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

int Echo(const std::vector<std::string>& Args) {
    vo::Echo_Methods Methods;
    if (Args.size() > 3) {
        const std::string& List = Args[3];
        Methods = {List.find("datagram") != std::string::npos, List.find("raw") != std::string::npos,
                   List.find("ping") != std::string::npos};
    }
    vo::Linux_Echo_Probe Probe(Methods);
    const vo::Echo_Reply Reply = Probe.Send_Echo(Args[1], "abcdefghijklmnopqrstuvwa",
                                                 std::chrono::milliseconds(std::stoi(Args[2])), {});
    std::printf("%s %s %s\n", Outcome_Name(Reply.Outcome), vo::Echo_Method_Name(Probe.Method()),
                Reply.Error_Text.c_str());
    return 0;
}

int Ports(const std::vector<std::string>& Args) {
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

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> Args(argv + 1, argv + argc);
    if (Args.size() >= 3 && Args[0] == "echo")
        return Echo(Args);
    if (Args.size() == 2 && Args[0] == "ports")
        return Ports(Args);
    if (Args.size() == 2 && Args[0] == "states")
        return States(Args);
    std::fprintf(stderr,
                 "usage: platform_tool echo ADDRESS TIMEOUT_MS [METHODS] | ports FOLDER | states ROOT\n");
    return 2;
}
