#include "platform/File_System.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vo {

namespace {

// Closes a descriptor when it goes out of scope.
struct Fd {
    int Value;
    ~Fd() {
        if (Value >= 0)
            close(Value);
    }
};

// Linux gives up on a chain of links after 40 steps.
constexpr int Max_Links = 40;

std::error_code System_Error() {
    return {errno, std::generic_category()};
}

std::string Folder_Of(const std::string& Path) {
    const std::size_t Slash = Path.rfind('/');
    if (Slash == std::string::npos)
        return ".";
    return Slash == 0 ? "/" : Path.substr(0, Slash);
}

} // namespace

Read_Outcome Read_Regular_File(const std::string& Path, std::size_t Max_Size, std::string& Bytes) {
    Bytes.clear();
    // A pipe or a device is refused before it is opened: opening one may wait or have effects.
    struct stat Info {};
    if (stat(Path.c_str(), &Info) != 0)
        return {errno == ENOENT ? Read_Failure::Missing : Read_Failure::System, System_Error()};
    if (!S_ISREG(Info.st_mode))
        return {Read_Failure::Not_Regular, {}};
    const Fd File{open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (File.Value < 0) {
        if (errno == ENOENT)
            return {Read_Failure::Missing, System_Error()};
        return {errno == ENXIO ? Read_Failure::Not_Regular : Read_Failure::System, System_Error()};
    }
    if (fstat(File.Value, &Info) != 0)
        return {Read_Failure::System, System_Error()};
    if (!S_ISREG(Info.st_mode))
        return {Read_Failure::Not_Regular, {}};
    if (static_cast<unsigned long long>(Info.st_size) > Max_Size)
        return {Read_Failure::Too_Large, {}};
    // The file may grow while it is read: one byte beyond the bound tells.
    Bytes.resize(static_cast<std::size_t>(Info.st_size) + 1);
    std::size_t Done = 0;
    while (Done < Bytes.size()) {
        const ssize_t Got = read(File.Value, Bytes.data() + Done, Bytes.size() - Done);
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got < 0) {
            Bytes.clear();
            return {Read_Failure::System, System_Error()};
        }
        if (Got == 0)
            break;
        Done += static_cast<std::size_t>(Got);
        if (Done == Bytes.size() && Done <= Max_Size)
            Bytes.resize(std::min(Max_Size + 1, Bytes.size() * 2));
    }
    if (Done > Max_Size) {
        Bytes.clear();
        return {Read_Failure::Too_Large, {}};
    }
    Bytes.resize(Done);
    return {};
}

File_Owner Owner_Of(const std::string& Path) {
    struct stat Info {};
    if (stat(Path.c_str(), &Info) != 0)
        return {};
    return {true, Info.st_uid, Info.st_gid};
}

void Restore_Owner(const std::string& Path, const File_Owner& Owner) {
    if (!Owner.Known)
        return;
    struct stat Info {};
    if (stat(Path.c_str(), &Info) != 0 || (Info.st_uid == Owner.User && Info.st_gid == Owner.Group))
        return;
    if (chown(Path.c_str(), Owner.User, Owner.Group) != 0)
        (void)chown(Path.c_str(), static_cast<uid_t>(-1), Owner.Group);
}

bool Sync_Folder(const std::string& Folder) {
    const Fd Dir{open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    return Dir.Value >= 0 && fsync(Dir.Value) == 0;
}

std::string Final_Link_Target(const std::string& Path) {
    std::string Current = Path;
    for (int Step = 0; Step < Max_Links; ++Step) {
        char Target[PATH_MAX];
        const ssize_t Length = readlink(Current.c_str(), Target, sizeof Target);
        if (Length < 0 || static_cast<std::size_t>(Length) >= sizeof Target)
            return Current;
        const std::string Next(Target, static_cast<std::size_t>(Length));
        Current = !Next.empty() && Next.front() == '/' ? Next : Folder_Of(Current) + "/" + Next;
    }
    return Current;
}

} // namespace vo
