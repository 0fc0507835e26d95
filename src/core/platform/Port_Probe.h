#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vo {

// Finds the serial ports of the computer.
class Port_Probe {
public:
    virtual ~Port_Probe() = default;

    // The ports that exist, busy ones included, named as the port list shows them ("COM3" on
    // Windows, the device path elsewhere), in a stable ascending order.
    virtual std::vector<std::string> Present_Ports() const = 0;
};

// The probe of this system.
std::unique_ptr<Port_Probe> Make_Port_Probe();

// What stands before a listed port name to make the device name the serial updater opens
// ("\\.\" before "COM3" on Windows; nothing where the list holds device paths).
const char* Port_Device_Prefix();

} // namespace vo
