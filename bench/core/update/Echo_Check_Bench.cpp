// The address check against this machine's loopback: a device that answers must be confirmed in
// about the time of two round trips, with no fixed pauses between them.
#include "platform/linux/Echo_Probe_Linux.h"
#include "update/Address_Check.h"

#include <benchmark/benchmark.h>

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
