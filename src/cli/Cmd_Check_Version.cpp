#include "Cli_Context.h"
#include "options/Version_Check.h"
#include "platform/Curl_Http_Client.h"

namespace vo {

// check-version [--server URL]: entry 314 when the server offers a newer version, entry 315
// otherwise, failures included.
int Run_Check_Version(Cli_Context& Context) {
    Version_Service Service;
    QStringList Args = Context.Args;
    while (!Args.isEmpty()) {
        const QString Option = Args.takeFirst();
        if (Option != u"--server" || Args.isEmpty()) {
            Context.Err << "vo40913-cli: usage: check-version [--server URL]\n";
            return Exit_Usage;
        }
        Service.Server_Url = Args.takeFirst();
    }
    Curl_Http_Client Client;
    Context.Out << Context.State.Text(Check_Version(Client, Service) ? 314 : 315) << '\n';
    return Exit_Ok;
}

} // namespace vo
