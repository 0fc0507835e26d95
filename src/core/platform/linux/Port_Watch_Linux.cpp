#include "Port_Watch_Linux.h"

#include "Port_Names_Linux.h"

#include <cerrno>
#include <sys/inotify.h>
#include <unistd.h>

namespace vo {

namespace {

constexpr std::uint32_t Entry_Events = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB;

class Linux_Port_Watch final : public Port_Watch {
public:
    Linux_Port_Watch(int Inotify, int Folder_Watch, std::string Folder)
        : Fd(Inotify), Device_Watch(Folder_Watch), Device_Folder(std::move(Folder)) {
        Watch_Serial_Folders();
    }
    ~Linux_Port_Watch() override { close(Fd); }
    Linux_Port_Watch(const Linux_Port_Watch&) = delete;
    Linux_Port_Watch& operator=(const Linux_Port_Watch&) = delete;

    std::intptr_t Handle() const override { return Fd; }

    bool Take_Notifications() override {
        bool Relevant = false;
        alignas(inotify_event) char Buffer[4096];
        for (;;) {
            const ssize_t Length = read(Fd, Buffer, sizeof Buffer);
            if (Length <= 0)
                break;
            for (const char* At = Buffer; At < Buffer + Length;) {
                const auto* Event = reinterpret_cast<const inotify_event*>(At);
                Relevant = Relevant || Concerns_Ports(*Event);
                At += sizeof(inotify_event) + Event->len;
            }
        }
        if (Relevant)
            Watch_Serial_Folders();
        return Relevant;
    }

private:
    // In the device folder only port nodes and the serial folder count; everything in the
    // serial folders does.
    bool Concerns_Ports(const inotify_event& Event) const {
        if (Event.wd != Device_Watch || (Event.mask & IN_Q_OVERFLOW) != 0)
            return true;
        const std::string Name = Event.len > 0 ? std::string(Event.name) : std::string();
        return Name == "serial" || Parse_Port_Name(Name).has_value();
    }

    // Adding a watch that exists changes nothing, and a folder that is not there is watched
    // once it is made.
    void Watch_Serial_Folders() {
        inotify_add_watch(Fd, (Device_Folder + "/serial").c_str(), Entry_Events | IN_ONLYDIR);
        inotify_add_watch(Fd, (Device_Folder + "/serial/by-id").c_str(), Entry_Events | IN_ONLYDIR);
    }

    int Fd;
    int Device_Watch;
    std::string Device_Folder;
};

} // namespace

std::unique_ptr<Port_Watch> Make_Linux_Port_Watch(const std::string& Device_Folder) {
    const int Fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (Fd < 0)
        return nullptr;
    const int Device_Watch = inotify_add_watch(Fd, Device_Folder.c_str(), Entry_Events | IN_ONLYDIR);
    if (Device_Watch < 0) {
        close(Fd);
        return nullptr;
    }
    return std::make_unique<Linux_Port_Watch>(Fd, Device_Watch, Device_Folder);
}

} // namespace vo
