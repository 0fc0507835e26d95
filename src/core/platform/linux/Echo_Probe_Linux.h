#pragma once

#include "platform/Echo_Probe.h"

#include <cstdint>
#include <optional>

namespace vo {

// The ways of sending echo requests, tried in this order when the first request is made.
struct Echo_Methods {
    bool Datagram = true;     // an unprivileged ICMP socket, where net.ipv4.ping_group_range allows it
    bool Raw = true;          // a raw socket: root or cap_net_raw
    bool Ping_Program = true; // the system's ping program, which carries its own privilege
};

enum class Echo_Method { None, Datagram, Raw, Ping_Program };

const char* Echo_Method_Name(Echo_Method Method);

// Echo requests over ICMP sockets, or through the system's ping program (by argument vector) as a
// last resort, which sends as many data bytes but cannot choose them.
class Linux_Echo_Probe final : public Echo_Probe {
public:
    explicit Linux_Echo_Probe(Echo_Methods Methods = {});
    ~Linux_Echo_Probe() override;
    Linux_Echo_Probe(const Linux_Echo_Probe&) = delete;
    Linux_Echo_Probe& operator=(const Linux_Echo_Probe&) = delete;

    Echo_Reply Send_Echo(const std::string& Address, std::string_view Data, std::chrono::milliseconds Timeout,
                         const std::function<void()>& While_Waiting) override;

    // The way requests go, chosen at the first request; None before, or when no way is open.
    Echo_Method Method() const { return Current; }

private:
    std::optional<std::string> Choose_Method();
    Echo_Reply Socket_Echo(const std::string& Address, std::uint32_t Target, std::string_view Data,
                           std::chrono::milliseconds Timeout, const std::function<void()>& While_Waiting);
    Echo_Reply Program_Echo(const std::string& Address, std::size_t Data_Size,
                            std::chrono::milliseconds Timeout, const std::function<void()>& While_Waiting);

    Echo_Methods Allowed;
    Echo_Method Current = Echo_Method::None;
    int Socket = -1;
    std::uint16_t Identifier = 0;
    std::uint16_t Sequence = 0;
};

} // namespace vo
