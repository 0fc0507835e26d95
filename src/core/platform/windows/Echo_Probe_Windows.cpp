#include "Echo_Probe_Windows.h"

#include "Wide_Text.h"
#include "platform/Ipv4_Text.h"

#include <algorithm>
#include <cstring>
#include <vector>

// winsock2 before windows.h; iphlpapi and icmpapi after both.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on

namespace vo {

namespace {

// How often a wait hands over to While_Waiting.
constexpr DWORD Paint_Interval_Ms = 10;

Echo_Reply Failed(std::string Text) {
    return {Echo_Reply::Kind::Failed, std::move(Text)};
}

// The IP_* statuses say what came of a request that went out (timed out, unreachable, ...).
bool Is_Ip_Status(DWORD Code) {
    return Code >= IP_STATUS_BASE && Code <= IP_STATUS_BASE + 50;
}

class Event_Handle {
public:
    Event_Handle() : Handle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event_Handle() {
        if (Handle != nullptr)
            CloseHandle(Handle);
    }
    Event_Handle(const Event_Handle&) = delete;
    Event_Handle& operator=(const Event_Handle&) = delete;
    HANDLE Get() const { return Handle; }

private:
    HANDLE Handle;
};

} // namespace

Windows_Echo_Probe::Windows_Echo_Probe() : Icmp(IcmpCreateFile()) {}

Windows_Echo_Probe::~Windows_Echo_Probe() {
    if (Icmp != INVALID_HANDLE_VALUE)
        IcmpCloseHandle(Icmp);
}

Echo_Reply Windows_Echo_Probe::Send_Echo(const std::string& Address, std::string_view Data,
                                         std::chrono::milliseconds Timeout,
                                         const std::function<void()>& While_Waiting) {
    const auto Target = Parse_Numeric_Ipv4(Address);
    if (!Target)
        return Failed("\"" + Address + "\" is not a numeric IPv4 address");
    if (Icmp == INVALID_HANDLE_VALUE)
        return Failed("Cannot open the ICMP helper: " + System_Error_Text(GetLastError()));
    IPAddr Target_Address;
    std::memcpy(&Target_Address, Target->data(), sizeof Target_Address);

    // Room for one reply with its data, an ICMP error carrying the request, and the status block the
    // helper keeps at the end of the buffer.
    std::vector<unsigned char> Replies(sizeof(ICMP_ECHO_REPLY) + Data.size() + 576);
    std::vector<char> Request(Data.begin(), Data.end());
    const DWORD Timeout_Ms = static_cast<DWORD>(std::max<long long>(Timeout.count(), 1));
    Event_Handle Done;
    const HANDLE Event = While_Waiting ? Done.Get() : nullptr;
    DWORD Count = IcmpSendEcho2(Icmp, Event, nullptr, nullptr, Target_Address, Request.data(),
                                static_cast<WORD>(Request.size()), nullptr, Replies.data(),
                                static_cast<DWORD>(Replies.size()), Timeout_Ms);
    if (Count == 0 && Event != nullptr && GetLastError() == ERROR_IO_PENDING) {
        while (WaitForSingleObject(Event, Paint_Interval_Ms) == WAIT_TIMEOUT)
            While_Waiting();
        Count = IcmpParseReplies(Replies.data(), static_cast<DWORD>(Replies.size()));
    }
    if (Count == 0) {
        const DWORD Error = GetLastError();
        if (Is_Ip_Status(Error))
            return {Echo_Reply::Kind::No_Answer, {}};
        return Failed("Cannot send an echo request to " + Address + ": " + System_Error_Text(Error));
    }
    // Only an echo reply from the target counts: an ICMP error from a router is no answer.
    const auto* Reply = reinterpret_cast<const ICMP_ECHO_REPLY*>(Replies.data());
    const bool Ours = Reply->Status == IP_SUCCESS && Reply->Address == Target_Address;
    return {Ours ? Echo_Reply::Kind::Answered : Echo_Reply::Kind::No_Answer, {}};
}

std::unique_ptr<Echo_Probe> Make_Echo_Probe() {
    return std::make_unique<Windows_Echo_Probe>();
}

} // namespace vo
