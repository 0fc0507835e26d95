#include "Cli_Config.h"
#include "Cli_Json.h"
#include "platform/Port_Probe.h"
#include "update/Com_Ports.h"

#include <QJsonArray>

namespace vo {

// ports: the serial ports the update dialog offers, one a line; finding none is no failure.
int Run_Ports(Cli_Context& Context) {
    const bool Json = Take_Option(Context.Args, QStringLiteral("--json"));
    if (!Context.Args.isEmpty())
        return Usage_Error(Context, "ports");
    const QStringList Ports = Get_Com_Ports(*Make_Port_Probe());
    if (Json) {
        Print_Json(Context, {{QStringLiteral("ports"), QJsonArray::fromStringList(Ports)}});
        return Exit_Ok;
    }
    for (const QString& Port : Ports)
        Context.Out << Port << '\n';
    return Exit_Ok;
}

} // namespace vo
