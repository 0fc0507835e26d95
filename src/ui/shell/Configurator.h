#pragma once

#include "Messages.h"
#include "Services.h"
#include "Url_Opener.h"
#include "platform/Curl_Http_Client.h"
#include "platform/Echo_Probe.h"
#include "platform/Port_Probe.h"
#include "platform/Process_Runner.h"
#include "shell/TFVorlentFirmWare.h"

#include <memory>

namespace vo {

struct Shared_State;

// The program as main runs it: the real services and the main window over them. The shared state
// must have been started up (Start_Up) and must outlive it.
class Configurator final {
public:
    explicit Configurator(Shared_State& State);
    Configurator(const Configurator&) = delete;
    Configurator& operator=(const Configurator&) = delete;

    TFVorlentFirmWare& Main_Window() { return Window; }

private:
    Box_Messages Msgs;
    Desktop_Url_Opener Urls;
    Curl_Http_Client Http;
    std::unique_ptr<Echo_Probe> Echo = Make_Echo_Probe();
    std::unique_ptr<Port_Probe> Ports = Make_Port_Probe();
    std::unique_ptr<Process_Runner> Runner = Make_Process_Runner();
    Services Svc{Msgs, Urls, Http, *Echo, *Ports, *Runner};
    TFVorlentFirmWare Window;
};

} // namespace vo
