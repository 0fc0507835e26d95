#pragma once

#include "options/Version_Check.h"

namespace vo {

class Messages;
class Url_Opener;
class Http_Client;
class Echo_Probe;
class Port_Probe;
class Process_Runner;

// What the windows reach outside themselves through: main hands in the real ones, tests their
// recording or loopback stand-ins. Every object must outlive the windows.
struct Services {
    Messages& Msgs;
    Url_Opener& Urls;
    Http_Client& Http;
    Echo_Probe& Echo;
    Port_Probe& Ports;
    Process_Runner& Runner;
    Version_Service Version{};
};

} // namespace vo
