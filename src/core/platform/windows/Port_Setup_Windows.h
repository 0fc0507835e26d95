#pragma once

#include "platform/Port_Probe.h"

#include <map>

namespace vo {

// Port details by port name ("COM7").
using Setup_Port_Details = std::map<std::string, Port_Details>;

// The present devices of the ports class with their port names: maker and model from the device
// (the friendly name without its "(COMn)"), the USB ids from the hardware id, the serial number
// from the instance id of a USB device that has one, and the instance id as the stable name.
// A port not enumerated by USB is built in.
Setup_Port_Details Read_Setup_Port_Details();

} // namespace vo
