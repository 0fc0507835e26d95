#include "Com_Ports.h"

#include "platform/Port_Probe.h"

namespace vo {

QStringList Get_Com_Ports(const Port_Probe& Probe) {
    QStringList Ports;
    for (const std::string& Port : Probe.Present_Ports())
        Ports.append(QString::fromStdString(Port));
    return Ports;
}

} // namespace vo
