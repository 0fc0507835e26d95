#include "Port_Probe_Linux.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <filesystem>
#include <linux/serial.h>
#include <optional>
#include <string_view>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace vo {

namespace {

struct Port_Family {
    const char* Prefix;
    bool Uart_Node; // a ttyS node may have no chip behind it
};

constexpr Port_Family Families[] = {{"ttyS", true}, {"ttyUSB", false}, {"ttyACM", false}};

struct Port_Name {
    std::size_t Family;
    unsigned long Number;
    std::string Name;

    auto operator<=>(const Port_Name&) const = default;
};

// The family and number of a name such as ttyUSB12; nothing for any other name.
std::optional<Port_Name> Parse_Port_Name(const std::string& Name) {
    for (std::size_t Family = 0; Family < std::size(Families); ++Family) {
        const std::string_view Prefix = Families[Family].Prefix;
        if (!Name.starts_with(Prefix) || Name.size() == Prefix.size())
            continue;
        const char* First = Name.data() + Prefix.size();
        const char* Last = Name.data() + Name.size();
        unsigned long Number = 0;
        const auto [End, Error] = std::from_chars(First, Last, Number);
        if (Error == std::errc() && End == Last)
            return Port_Name{Family, Number, Name};
    }
    return std::nullopt;
}

bool Answers_As_Line(int Fd, bool Uart_Node) {
    termios Settings;
    if (tcgetattr(Fd, &Settings) != 0)
        return false;
    if (!Uart_Node)
        return true;
    serial_struct Serial{};
    return ioctl(Fd, TIOCGSERIAL, &Serial) == 0 && Serial.type != PORT_UNKNOWN;
}

bool Port_Present(const std::string& Path, bool Uart_Node) {
    const int Fd = open(Path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (Fd < 0)
        return errno == EBUSY || errno == EACCES;
    const bool Present = Answers_As_Line(Fd, Uart_Node);
    close(Fd);
    return Present;
}

} // namespace

Linux_Port_Probe::Linux_Port_Probe(std::string Folder) : Device_Folder(std::move(Folder)) {}

std::vector<std::string> Linux_Port_Probe::Present_Ports() const {
    std::vector<Port_Name> Candidates;
    std::error_code Error;
    for (std::filesystem::directory_iterator It(Device_Folder, Error), End; !Error && It != End;
         It.increment(Error)) {
        if (auto Name = Parse_Port_Name(It->path().filename().string()))
            Candidates.push_back(std::move(*Name));
    }
    std::sort(Candidates.begin(), Candidates.end());

    std::vector<std::string> Ports;
    for (const Port_Name& Candidate : Candidates) {
        const std::string Path = Device_Folder + "/" + Candidate.Name;
        if (Port_Present(Path, Families[Candidate.Family].Uart_Node))
            Ports.push_back(Path);
    }
    return Ports;
}

std::unique_ptr<Port_Probe> Make_Port_Probe() {
    return std::make_unique<Linux_Port_Probe>();
}

const char* Port_Device_Prefix() {
    return "";
}

} // namespace vo
