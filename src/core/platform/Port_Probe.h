#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vo {

// What the system tells about the device behind a port, so that a user can recognise it.
struct Port_Details {
    enum class Kind { Unknown, Built_In, Usb };

    Kind Port_Kind = Kind::Unknown;
    // A USB adapter's own words; each may be empty.
    std::string Maker{};
    std::string Model{};
    std::string Serial_Number{};
    std::string Vendor_Id{}; // four hex digits
    std::string Product_Id{};
    // A name that stays with the adapter whatever number the system gives it
    // (/dev/serial/by-id/... on Linux, the device instance id on Windows); empty when there is none.
    std::string Stable_Name{};

    bool operator==(const Port_Details&) const = default;
};

// Whether a port can be opened now, and if not, why.
struct Port_Status {
    enum class State { Free, Busy, Not_Permitted, Gone };

    State Port_State = State::Gone;
    // Busy: the program that holds the port, where the system tells (name and process id).
    std::string Holder{};
    long Holder_Id = 0;
    // Not permitted: the group whose members may open the port, when the port grants its group access.
    std::string Fix_Group{};

    bool operator==(const Port_Status&) const = default;
};

struct Port_Info {
    std::string Name;
    Port_Details Details{};
    Port_Status Status{};
};

// Tells that the ports may have changed: an event loop waits on Handle(), then calls
// Take_Notifications().
class Port_Watch {
public:
    virtual ~Port_Watch() = default;

    // A file descriptor that turns readable (Linux) or an event handle that is set (Windows).
    virtual std::intptr_t Handle() const = 0;
    // Clears what woke the handle; true when it may concern a port.
    virtual bool Take_Notifications() = 0;
};

// Finds the serial ports of the computer.
class Port_Probe {
public:
    virtual ~Port_Probe() = default;

    // The ports that exist, busy ones included, named as the port list shows them ("COM3" on
    // Windows, the device path elsewhere), in a stable ascending order.
    virtual std::vector<std::string> Present_Ports() const = 0;
    // The same ports in the same order, each with its details and state.
    virtual std::vector<Port_Info> Describe_Ports() const = 0;
    // The state of one port as listed; Gone when it is no longer there.
    virtual Port_Status Status_Of(const std::string& Name) const = 0;
    // Notifications of ports coming and going; none where the system gives none.
    virtual std::unique_ptr<Port_Watch> Watch() const = 0;
};

// The probe of this system.
std::unique_ptr<Port_Probe> Make_Port_Probe();

// A probe that reads Root/dev and Root/sys in place of the system's own (a test tree, or another
// system's files); none on a system without such folders.
std::unique_ptr<Port_Probe> Make_Port_Probe_At(const std::string& Root);

// What stands before a listed port name to make the device name the serial updater opens
// ("\\.\" before "COM3" on Windows; nothing where the list holds device paths).
const char* Port_Device_Prefix();

} // namespace vo
