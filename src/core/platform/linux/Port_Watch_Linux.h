#pragma once

#include "platform/Port_Probe.h"

namespace vo {

// Watches Device_Folder and its serial/by-id folder with inotify: a port node made, removed or
// given other rights, or a stable name coming or going. The folders under serial come and go
// with the adapters, so they are watched again whenever something happens. None when inotify
// cannot watch Device_Folder.
std::unique_ptr<Port_Watch> Make_Linux_Port_Watch(const std::string& Device_Folder);

} // namespace vo
