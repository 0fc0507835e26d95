#pragma once

#include "platform/Port_Probe.h"

namespace vo {

// The details of the port Name (ttyUSB0): the USB device above its tty in System_Folder (sysfs)
// gives maker, model, serial number and ids, and Device_Folder/serial/by-id its stable name. A port
// whose tty has a device but no USB device above it is built in; one without a device in sysfs is
// unknown.
Port_Details Read_Port_Details(const std::string& System_Folder, const std::string& Device_Folder,
                               const std::string& Name);

} // namespace vo
