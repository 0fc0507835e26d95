#pragma once

#include "platform/Echo_Probe.h"

namespace vo {

// Echo requests through the ICMP helper of iphlpapi (IcmpSendEcho2), which needs no privilege.
// While the caller wants to keep painting, the request runs asynchronously and the wait looks for
// its end every few milliseconds.
class Windows_Echo_Probe final : public Echo_Probe {
public:
    Windows_Echo_Probe();
    ~Windows_Echo_Probe() override;
    Windows_Echo_Probe(const Windows_Echo_Probe&) = delete;
    Windows_Echo_Probe& operator=(const Windows_Echo_Probe&) = delete;

    Echo_Reply Send_Echo(const std::string& Address, std::string_view Data, std::chrono::milliseconds Timeout,
                         const std::function<void()>& While_Waiting) override;

private:
    void* Icmp = nullptr;
};

} // namespace vo
