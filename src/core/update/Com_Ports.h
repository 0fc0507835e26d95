#pragma once

#include <QStringList>

namespace vo {

class Port_Probe;

// The serial ports the probe finds, busy ones included, as the port list shows them, in its order.
QStringList Get_Com_Ports(const Port_Probe& Probe);

} // namespace vo
