#include "platform/File_System.h"
#include "platform/Read_Growing.h"

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
    return Read_Growing(static_cast<std::size_t>(Info.st_size), Max_Size, Bytes,
                        [&File](char* Buffer, std::size_t Length, std::error_code& Error) -> std::size_t {
                            for (;;) {
                                const ssize_t Got = read(File.Value, Buffer, Length);
                                if (Got >= 0)
                                    return static_cast<std::size_t>(Got);
                                if (errno != EINTR) {
                                    Error = System_Error();
                                    return 0;
                                }
                            }
                        });
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
