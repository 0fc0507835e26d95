#pragma once

#include "platform/Port_Probe.h"

namespace vo {

// Opens \\.\COM1 to \\.\COM256 in turn, read and write, without sharing. A port exists when the
// open succeeds, or fails with "access denied" (or, under wine, a sharing violation), which is how
// a port that another program holds answers. Each port opened is closed at once; nothing is read
// or set on it. Windows does not tell which program holds a port. The details come from SetupAPI's
// ports class; the notifications from the configuration manager.
class Windows_Port_Probe final : public Port_Probe {
public:
    // "COM1", "COM2", ... by ascending number.
    std::vector<std::string> Present_Ports() const override;
    std::vector<Port_Info> Describe_Ports() const override;
    Port_Status Status_Of(const std::string& Name) const override;
    std::unique_ptr<Port_Watch> Watch() const override;
};

} // namespace vo
