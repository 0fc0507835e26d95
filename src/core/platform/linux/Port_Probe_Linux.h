#pragma once

#include "platform/Port_Probe.h"

namespace vo {

// Probes the ttyS, ttyUSB and ttyACM nodes of a device folder. A port exists when opening it fails
// because it is busy or not permitted, or when it opens and answers as a real line: Linux creates
// ttyS nodes with no chip behind them, which open fine and fail later.
//
// The details come from sysfs as files, not through libudev: no library to add for a few attribute
// files, and tests give the probe a small tree of their own. (udev's hardware database would name
// makers of adapters that carry no maker text; the vendor and product ids stand in for it.)
class Linux_Port_Probe final : public Port_Probe {
public:
    // Devices holds the device nodes and serial/by-id, System is sysfs; tests give folders of their
    // own.
    explicit Linux_Port_Probe(std::string Devices = "/dev", std::string System = "/sys");

    // Device paths, ttyS first, then ttyUSB, then ttyACM, each by ascending number.
    std::vector<std::string> Present_Ports() const override;
    std::vector<Port_Info> Describe_Ports() const override;
    Port_Status Status_Of(const std::string& Name) const override;
    std::unique_ptr<Port_Watch> Watch() const override;

private:
    std::string Device_Folder;
    std::string System_Folder;
};

} // namespace vo
