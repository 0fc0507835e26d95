#pragma once

#include "platform/Port_Probe.h"

namespace vo {

// Device-interface arrivals and removals from the configuration manager (CM_Register_Notification,
// Windows 8 and later), signalled through a manual-reset event. None where the system lacks the
// call or refuses the registration: wine, whose ports are links in its dosdevices folder and
// raise no notification at all, is such a system.
std::unique_ptr<Port_Watch> Make_Windows_Port_Watch();

} // namespace vo
