#pragma once

#include "platform/Port_Probe.h"

namespace vo {

// Probes the ttyS, ttyUSB and ttyACM nodes of a device folder. A port exists when opening it fails
// because it is busy or not permitted, or when it opens and answers as a real line: Linux creates
// ttyS nodes with no chip behind them, which open fine and fail later.
class Linux_Port_Probe final : public Port_Probe {
public:
    // Folder holds the device nodes; tests give a folder of their own.
    explicit Linux_Port_Probe(std::string Folder = "/dev");

    // Device paths, ttyS first, then ttyUSB, then ttyACM, each by ascending number.
    std::vector<std::string> Present_Ports() const override;

private:
    std::string Device_Folder;
};

} // namespace vo
