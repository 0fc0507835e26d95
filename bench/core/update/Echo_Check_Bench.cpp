// The address check against this machine's loopback: a device that answers must be confirmed in
// about the time of two round trips, with no fixed pauses between them.
#include "platform/Icmp_Packet.h"
#include "platform/linux/Echo_Probe_Linux.h"
#include "update/Address_Check.h"

#include <arpa/inet.h>
#include <array>
#include <benchmark/benchmark.h>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

void Address_Check_Loopback(benchmark::State& State) {
    vo::Linux_Echo_Probe Probe;
    for (auto _ : State) {
        const vo::Ping_Check Check = vo::Send_Ping(Probe, QStringLiteral("127.0.0.1"), {});
        if (!Check.Found) {
            State.SkipWithError("127.0.0.1 did not answer");
            break;
        }
    }
    State.SetLabel(vo::Echo_Method_Name(Probe.Method()));
}
BENCHMARK(Address_Check_Loopback)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The floor: one request and its reply over a bare ICMP socket of the first kind this process may
// open (as the probe chooses), the reply awaited with a blocking receive.
void Icmp_Round_Trip_Floor(benchmark::State& State) {
    bool Raw = false;
    int Socket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (Socket < 0) {
        Raw = true;
        Socket = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        const icmp_filter Filter{~(1U << ICMP_ECHOREPLY)};
        setsockopt(Socket, SOL_RAW, ICMP_FILTER, &Filter, sizeof Filter);
    }
    if (Socket < 0) {
        State.SkipWithError("no ICMP socket may be opened here");
        return;
    }
    sockaddr_in To{};
    To.sin_family = AF_INET;
    To.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::uint16_t Sequence = 0;
    std::array<std::uint8_t, 2048> Buffer;
    for (auto _ : State) {
        const std::vector<std::uint8_t> Request = vo::Echo_Request(0x5642, ++Sequence, vo::Echo_Data);
        const ssize_t Count = sendto(Socket, Request.data(), Request.size(), 0,
                                     reinterpret_cast<const sockaddr*>(&To), sizeof To) < 0
                                  ? -1
                                  : recv(Socket, Buffer.data(), Buffer.size(), 0);
        if (Count <= 0) {
            State.SkipWithError("no reply from 127.0.0.1");
            break;
        }
    }
    close(Socket);
    State.SetLabel(Raw ? "raw" : "datagram");
}
BENCHMARK(Icmp_Round_Trip_Floor)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One request by each way of sending; a way this process may not use is reported as skipped.
void Echo_Request_Loopback(benchmark::State& State) {
    const auto Method = static_cast<vo::Echo_Method>(State.range(0));
    vo::Linux_Echo_Probe Probe({Method == vo::Echo_Method::Datagram, Method == vo::Echo_Method::Raw,
                                Method == vo::Echo_Method::Ping_Program});
    for (auto _ : State) {
        const vo::Echo_Reply Reply = Probe.Send_Echo("127.0.0.1", vo::Echo_Data, vo::Echo_Timeout, {});
        if (Reply.Outcome != vo::Echo_Reply::Kind::Answered) {
            State.SkipWithError(Reply.Error_Text.empty() ? "no answer" : Reply.Error_Text.c_str());
            break;
        }
    }
    State.SetLabel(vo::Echo_Method_Name(Method));
}
BENCHMARK(Echo_Request_Loopback)
    ->Arg(static_cast<int>(vo::Echo_Method::Datagram))
    ->Arg(static_cast<int>(vo::Echo_Method::Raw))
    ->Arg(static_cast<int>(vo::Echo_Method::Ping_Program))
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace
