#include "Cli_Config.h"
#include "platform/Port_Probe.h"
#include "update/Com_Ports.h"

namespace vo {

// ports: the serial ports the update dialog offers, one a line; finding none is no failure.
int Run_Ports(Cli_Context& Context) {
    if (!Context.Args.isEmpty())
        return Usage_Error(Context, "ports");
    for (const QString& Port : Get_Com_Ports(*Make_Port_Probe()))
        Context.Out << Port << '\n';
    return Exit_Ok;
}

} // namespace vo
