#include "Port_Probe_Linux.h"

#include "Port_Holders_Linux.h"
#include "Port_Names_Linux.h"
#include "Port_Sysfs_Linux.h"
#include "Port_Watch_Linux.h"

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <linux/serial.h>
#include <optional>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace vo {

namespace {

bool Answers_As_Line(int Fd, bool Uart_Node) {
    termios Settings;
    if (tcgetattr(Fd, &Settings) != 0)
        return false;
    if (!Uart_Node)
        return true;
    serial_struct Serial{};
    return ioctl(Fd, TIOCGSERIAL, &Serial) == 0 && Serial.type != PORT_UNKNOWN;
}

// The group of the node when its members may read and write it: joining it is the cure.
std::string Granting_Group(const std::string& Path) {
    struct stat Node {};
    if (stat(Path.c_str(), &Node) != 0 || (Node.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    group Entry{};
    group* Found = nullptr;
    char Buffer[4096];
    if (getgrgid_r(Node.st_gid, &Entry, Buffer, sizeof Buffer, &Found) != 0 || !Found)
        return {};
    return Found->gr_name;
}

// The state of the port at Path as opening it tells; nothing when no port answers there.
std::optional<Port_Status> Open_State(const std::string& Path, bool Uart_Node) {
    Port_Status Status;
    const int Fd = open(Path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (Fd < 0) {
        if (errno == EBUSY) {
            Status.Port_State = Port_Status::State::Busy;
        } else if (errno == EACCES) {
            Status.Port_State = Port_Status::State::Not_Permitted;
            Status.Fix_Group = Granting_Group(Path);
        } else {
            return std::nullopt;
        }
        return Status;
    }
    const bool Line = Answers_As_Line(Fd, Uart_Node);
    close(Fd);
    if (!Line)
        return std::nullopt;
    Status.Port_State = Port_Status::State::Free;
    return Status;
}

} // namespace

Linux_Port_Probe::Linux_Port_Probe(std::string Devices, std::string System)
    : Device_Folder(std::move(Devices)), System_Folder(std::move(System)) {}

std::vector<std::string> Linux_Port_Probe::Present_Ports() const {
    std::vector<std::string> Ports;
    for (const Port_Name& Candidate : Port_Candidates(Device_Folder)) {
        const std::string Path = Device_Folder + "/" + Candidate.Name;
        if (Open_State(Path, Candidate.Uart_Node()))
            Ports.push_back(Path);
    }
    return Ports;
}

std::vector<Port_Info> Linux_Port_Probe::Describe_Ports() const {
    std::vector<Port_Info> Ports;
    for (const Port_Name& Candidate : Port_Candidates(Device_Folder)) {
        const std::string Path = Device_Folder + "/" + Candidate.Name;
        if (const std::optional<Port_Status> Status = Open_State(Path, Candidate.Uart_Node()))
            Ports.push_back({Path, Read_Port_Details(System_Folder, Device_Folder, Candidate.Name), *Status});
    }
    Name_Holders(Ports);
    return Ports;
}

Port_Status Linux_Port_Probe::Status_Of(const std::string& Name) const {
    const std::optional<Port_Name> Parsed = Parse_Port_Name(Name.substr(Name.rfind('/') + 1));
    const std::optional<Port_Status> Status = Parsed ? Open_State(Name, Parsed->Uart_Node()) : std::nullopt;
    if (!Status)
        return {};
    std::vector<Port_Info> One{{Name, {}, *Status}};
    Name_Holders(One);
    return One.front().Status;
}

std::unique_ptr<Port_Watch> Linux_Port_Probe::Watch() const {
    return Make_Linux_Port_Watch(Device_Folder);
}

std::unique_ptr<Port_Probe> Make_Port_Probe() {
    return std::make_unique<Linux_Port_Probe>();
}

std::unique_ptr<Port_Probe> Make_Port_Probe_At(const std::string& Root) {
    const std::string Base = Root.substr(0, Root.find_last_not_of('/') + 1);
    return std::make_unique<Linux_Port_Probe>(Base + "/dev", Base + "/sys");
}

const char* Port_Device_Prefix() {
    return "";
}

} // namespace vo
