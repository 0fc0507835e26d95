#include "Port_Sysfs_Linux.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vo {

namespace fs = std::filesystem;

namespace {

// USB strings hold at most 126 characters; anything longer is not an attribute the kernel wrote.
constexpr std::size_t Attribute_Limit = 512;

bool Is_Control(unsigned char C) {
    return C < 0x20 || C == 0x7f;
}

// The text of an attribute file without blanks and line ends at either end and without control
// characters; empty when it is missing, not a regular file or unreadable.
std::string Read_Attribute(const fs::path& File) {
    const int Fd = open(File.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (Fd < 0)
        return {};
    std::string Text(Attribute_Limit, '\0');
    struct stat Info {};
    ssize_t Count = -1;
    if (fstat(Fd, &Info) == 0 && S_ISREG(Info.st_mode))
        Count = read(Fd, Text.data(), Text.size());
    close(Fd);
    Text.resize(Count > 0 ? static_cast<std::size_t>(Count) : 0);
    std::replace_if(
        Text.begin(), Text.end(), [](char C) { return Is_Control(static_cast<unsigned char>(C)); }, ' ');
    const auto First = Text.find_first_not_of(' ');
    if (First == std::string::npos)
        return {};
    return Text.substr(First, Text.find_last_not_of(' ') - First + 1);
}

bool Lies_Under(const fs::path& Path, const fs::path& Root) {
    const auto [Root_End, Path_At] = std::mismatch(Root.begin(), Root.end(), Path.begin(), Path.end());
    return Root_End == Root.end() && Path_At != Path.end();
}

// The USB device a tty's device belongs to: the nearest folder above it with a vendor id.
std::optional<fs::path> Usb_Device_Of(fs::path Device, const fs::path& Root) {
    std::error_code Error;
    for (; Lies_Under(Device, Root); Device = Device.parent_path()) {
        if (fs::is_regular_file(Device / "idVendor", Error))
            return Device;
    }
    return std::nullopt;
}

// The first link of serial/by-id, by name, that leads to the port's node. (std::filesystem does
// not compare device nodes.)
std::string Stable_Name_Of(const std::string& Device_Folder, const std::string& Name) {
    struct stat Node {};
    if (stat((Device_Folder + "/" + Name).c_str(), &Node) != 0)
        return {};
    std::vector<std::string> Links;
    std::error_code Error;
    for (fs::directory_iterator It(fs::path(Device_Folder) / "serial" / "by-id", Error), End;
         !Error && It != End; It.increment(Error)) {
        struct stat Link {};
        if (stat(It->path().c_str(), &Link) == 0 && Link.st_dev == Node.st_dev && Link.st_ino == Node.st_ino)
            Links.push_back(It->path().string());
    }
    return Links.empty() ? std::string() : *std::min_element(Links.begin(), Links.end());
}

} // namespace

Port_Details Read_Port_Details(const std::string& System_Folder, const std::string& Device_Folder,
                               const std::string& Name) {
    Port_Details Details;
    Details.Stable_Name = Stable_Name_Of(Device_Folder, Name);
    std::error_code Error;
    const fs::path Root = fs::canonical(System_Folder, Error);
    if (Error)
        return Details;
    const fs::path Device = fs::canonical(Root / "class" / "tty" / Name / "device", Error);
    if (Error || !Lies_Under(Device, Root))
        return Details;
    const std::optional<fs::path> Usb = Usb_Device_Of(Device, Root);
    if (!Usb) {
        Details.Port_Kind = Port_Details::Kind::Built_In;
        return Details;
    }
    Details.Port_Kind = Port_Details::Kind::Usb;
    Details.Maker = Read_Attribute(*Usb / "manufacturer");
    Details.Model = Read_Attribute(*Usb / "product");
    Details.Serial_Number = Read_Attribute(*Usb / "serial");
    Details.Vendor_Id = Read_Attribute(*Usb / "idVendor");
    Details.Product_Id = Read_Attribute(*Usb / "idProduct");
    return Details;
}

} // namespace vo
