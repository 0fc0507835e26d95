#include "Echo_Probe_Linux.h"

#include "Child_Process.h"
#include "platform/Icmp_Packet.h"
#include "platform/Ipv4_Text.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <poll.h>
#include <random>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace vo {

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait hands over to While_Waiting.
constexpr std::chrono::milliseconds Paint_Interval{10};
// What the ping program gets beyond the reply time-out to start and end.
constexpr std::chrono::milliseconds Program_Slack{1000};

std::string System_Error(int Error) {
    return std::generic_category().message(Error);
}

Echo_Reply Failed(std::string Text) {
    return {Echo_Reply::Kind::Failed, std::move(Text)};
}

// "0.400" for 400 ms; ping reads a full stop whatever the locale, and 0 as "wait for ever".
std::string Seconds_Text(std::chrono::milliseconds Timeout) {
    const long long Count = std::max<long long>(Timeout.count(), 1);
    char Text[32];
    std::snprintf(Text, sizeof Text, "%lld.%03lld", Count / 1000, Count % 1000);
    return Text;
}

} // namespace

const char* Echo_Method_Name(Echo_Method Method) {
    switch (Method) {
    case Echo_Method::Datagram:
        return "datagram";
    case Echo_Method::Raw:
        return "raw";
    case Echo_Method::Ping_Program:
        return "ping";
    case Echo_Method::None:
        break;
    }
    return "none";
}

Linux_Echo_Probe::Linux_Echo_Probe(Echo_Methods Methods)
    : Allowed(Methods), Identifier(static_cast<std::uint16_t>(std::random_device{}())) {}

Linux_Echo_Probe::~Linux_Echo_Probe() {
    if (Socket >= 0)
        close(Socket);
}

std::optional<std::string> Linux_Echo_Probe::Choose_Method() {
    std::string Refused = "no way of sending them is allowed";
    if (Allowed.Datagram) {
        Socket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (Socket >= 0) {
            Current = Echo_Method::Datagram;
            return std::nullopt;
        }
        Refused = "ICMP datagram socket: " + System_Error(errno);
    }
    if (Allowed.Raw) {
        Socket = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (Socket >= 0) {
            // Only echo replies wake the wait; the check below still looks at each one.
            const icmp_filter Filter{~(1U << ICMP_ECHOREPLY)};
            setsockopt(Socket, SOL_RAW, ICMP_FILTER, &Filter, sizeof Filter);
            Current = Echo_Method::Raw;
            return std::nullopt;
        }
        Refused = "raw ICMP socket: " + System_Error(errno);
    }
    if (Allowed.Ping_Program) {
        Current = Echo_Method::Ping_Program;
        return std::nullopt;
    }
    return "Cannot send echo requests: " + Refused;
}

Echo_Reply Linux_Echo_Probe::Send_Echo(const std::string& Address, std::string_view Data,
                                       std::chrono::milliseconds Timeout,
                                       const std::function<void()>& While_Waiting) {
    const auto Target = Parse_Numeric_Ipv4(Address);
    if (!Target)
        return Failed("\"" + Address + "\" is not a numeric IPv4 address");
    if (Current == Echo_Method::None) {
        if (auto Error = Choose_Method())
            return Failed(std::move(*Error));
    }
    if (Current == Echo_Method::Ping_Program)
        return Program_Echo(Address, Data.size(), Timeout, While_Waiting);
    std::uint32_t Target_Address;
    std::memcpy(&Target_Address, Target->data(), sizeof Target_Address);
    return Socket_Echo(Address, Target_Address, Data, Timeout, While_Waiting);
}

Echo_Reply Linux_Echo_Probe::Socket_Echo(const std::string& Address, std::uint32_t Target,
                                         std::string_view Data, std::chrono::milliseconds Timeout,
                                         const std::function<void()>& While_Waiting) {
    sockaddr_in To{};
    To.sin_family = AF_INET;
    To.sin_addr.s_addr = Target;
    ++Sequence;
    const std::vector<std::uint8_t> Request = Echo_Request(Identifier, Sequence, Data);
    const ssize_t Sent =
        sendto(Socket, Request.data(), Request.size(), 0, reinterpret_cast<const sockaddr*>(&To), sizeof To);
    if (Sent < 0)
        return Failed("Cannot send an echo request to " + Address + ": " + System_Error(errno));
    if (Current == Echo_Method::Datagram) {
        // The kernel puts the socket's own identifier into the request.
        sockaddr_in Local{};
        socklen_t Size = sizeof Local;
        getsockname(Socket, reinterpret_cast<sockaddr*>(&Local), &Size);
        Identifier = ntohs(Local.sin_port);
    }

    const Clock::time_point Deadline = Clock::now() + Timeout;
    std::array<std::uint8_t, 2048> Buffer;
    for (;;) {
        sockaddr_in From{};
        socklen_t Size = sizeof From;
        const ssize_t Count = recvfrom(Socket, Buffer.data(), Buffer.size(), MSG_DONTWAIT,
                                       reinterpret_cast<sockaddr*>(&From), &Size);
        if (Count >= 0) {
            const std::span<const std::uint8_t> Packet(Buffer.data(), static_cast<std::size_t>(Count));
            const auto Message = Current == Echo_Method::Raw ? Icmp_Of_Ipv4(Packet) : Packet;
            if (From.sin_addr.s_addr == Target && Is_Echo_Reply(Message, Identifier, Sequence))
                return {Echo_Reply::Kind::Answered, {}};
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return Failed("Cannot receive the echo reply from " + Address + ": " + System_Error(errno));
        const auto Left = std::chrono::ceil<std::chrono::milliseconds>(Deadline - Clock::now());
        if (Left <= std::chrono::milliseconds::zero())
            return {Echo_Reply::Kind::No_Answer, {}};
        pollfd Readable{Socket, POLLIN, 0};
        poll(&Readable, 1, static_cast<int>((While_Waiting ? std::min(Left, Paint_Interval) : Left).count()));
        if (While_Waiting)
            While_Waiting();
    }
}

Echo_Reply Linux_Echo_Probe::Program_Echo(const std::string& Address, std::size_t Data_Size,
                                          std::chrono::milliseconds Timeout,
                                          const std::function<void()>& While_Waiting) {
    const std::vector<std::string> Arguments{
        "ping", "-n", "-4", "-c", "1", "-W", Seconds_Text(Timeout), "-s", std::to_string(Data_Size), Address};
    Child_Process Ping("ping", Arguments,
                       {.Search_Path = true, .Capture_Output = true, .Environment_First = {"LC_ALL=C"}});
    if (Ping.Start_Error() != 0)
        return Failed("Cannot start ping: " + System_Error(Ping.Start_Error()));
    if (!Ping.Wait(Timeout + Program_Slack, While_Waiting)) {
        Ping.Kill();
        return {Echo_Reply::Kind::No_Answer, {}};
    }
    const std::string Said = Ping.Output();
    // ping ends with 0 after any echo reply with its identifier, 1 without one, and otherwise on
    // an error. Its own report must show the reply came from the target to its only request.
    if (Ping.Term_Signal() == 0 && Ping.Exit_Code() <= 1) {
        const bool Ours =
            Ping.Exit_Code() == 0 && Said.find(" from " + Address + ": icmp_seq=1 ") != std::string::npos;
        return {Ours ? Echo_Reply::Kind::Answered : Echo_Reply::Kind::No_Answer, {}};
    }
    std::string Last_Line = Said.substr(0, Said.find_last_not_of("\n ") + 1);
    Last_Line.erase(0, Last_Line.find_last_of('\n') + 1);
    return Failed(Last_Line.empty() ? "ping ended with status " + std::to_string(Ping.Exit_Code())
                                    : Last_Line);
}

std::unique_ptr<Echo_Probe> Make_Echo_Probe() {
    return std::make_unique<Linux_Echo_Probe>();
}

} // namespace vo
