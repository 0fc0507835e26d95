#include "Port_Holders_Linux.h"

#include <charconv>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <limits.h>
#include <map>
#include <unistd.h>

namespace vo {

namespace {

// The process id a /proc entry names; 0 for any other entry.
long Process_Id(const char* Name) {
    long Id = 0;
    const char* Last = Name + std::char_traits<char>::length(Name);
    const auto [End, Error] = std::from_chars(Name, Last, Id);
    return Error == std::errc() && End == Last ? Id : 0;
}

std::string Program_Name(long Id) {
    std::ifstream Comm("/proc/" + std::to_string(Id) + "/comm");
    std::string Name;
    std::getline(Comm, Name);
    return Name;
}

// The first process, by /proc order, holding one of the files; by file.
std::map<std::string, long> Holding_Processes(const std::map<std::string, std::size_t>& Files) {
    std::map<std::string, long> Holders;
    DIR* Processes = opendir("/proc");
    if (!Processes)
        return Holders;
    while (const dirent* Process = readdir(Processes)) {
        const long Id = Process_Id(Process->d_name);
        if (Id == 0)
            continue;
        const std::string Fd_Folder = "/proc/" + std::string(Process->d_name) + "/fd";
        DIR* Fds = opendir(Fd_Folder.c_str());
        if (!Fds)
            continue;
        while (const dirent* Fd = readdir(Fds)) {
            char Target[PATH_MAX];
            const std::string Link = Fd_Folder + "/" + Fd->d_name;
            const ssize_t Length = readlink(Link.c_str(), Target, sizeof Target);
            if (Length <= 0)
                continue;
            const std::string File(Target, static_cast<std::size_t>(Length));
            if (Files.contains(File))
                Holders.emplace(File, Id);
        }
        closedir(Fds);
    }
    closedir(Processes);
    return Holders;
}

} // namespace

void Name_Holders(std::vector<Port_Info>& Ports) {
    // Open files show under the node's real path, wherever the port was listed from.
    std::map<std::string, std::size_t> Files;
    for (std::size_t I = 0; I < Ports.size(); ++I) {
        const Port_Status::State State = Ports[I].Status.Port_State;
        if (State != Port_Status::State::Free && State != Port_Status::State::Busy)
            continue;
        std::error_code Error;
        const std::filesystem::path Real = std::filesystem::canonical(Ports[I].Name, Error);
        if (!Error)
            Files.emplace(Real.string(), I);
    }
    if (Files.empty())
        return;
    for (const auto& [File, Id] : Holding_Processes(Files)) {
        Port_Status& Status = Ports[Files.at(File)].Status;
        Status.Port_State = Port_Status::State::Busy;
        Status.Holder = Program_Name(Id);
        Status.Holder_Id = Id;
    }
}

} // namespace vo
