#pragma once

#include <QString>
#include <chrono>
#include <functional>

namespace vo {

class Echo_Probe;

// Messages of a failed address check (ids of Lang_Strings).
inline constexpr int Msg_Device_Not_Found = 1036; // warning
inline constexpr int Msg_Check_IP_Address = 1037; // error
// The check itself could not be made (no way of sending echo requests, a network error); the reason
// follows.
inline constexpr int Msg_Check_Failed = 1057; // error

// The data text of every echo request, and the waits of the check.
inline constexpr char Echo_Data[] = "abcdefghijklmnopqrstuvwa";
inline constexpr std::chrono::milliseconds Echo_Timeout{400};
inline constexpr std::chrono::milliseconds Ping_Budget{5000};

// Outcome of an address check.
struct Ping_Check {
    bool Found = false;
    // The latest reply: 0 none recorded, 1 answered, 2 no answer within the time-out.
    int ping_res = 0;
    // Why a request could not be made, when that ended the check.
    QString Error_Text;
    // The address text is not one the check can send to; no request was made.
    bool Address_Refused = false;
};

// Sends echo requests to Host, the address text exactly as typed, one after the other until two
// have been answered or Budget has run out; found when the latest one was answered. A text that is
// not a numeric IPv4 address is refused before any request; a request that cannot be made ends the
// check, not found. Keep_Painting, when set, runs every few milliseconds
// while a request waits, and between requests.
Ping_Check Send_Ping(Echo_Probe& Probe, const QString& Host, const std::function<void()>& Keep_Painting,
                     std::chrono::milliseconds Budget = Ping_Budget);

// 0 when the device was found, else the message to show: Msg_Check_IP_Address for a refused
// address, Msg_Check_Failed when a request could not be made (the reason follows it),
// Msg_Device_Not_Found when the latest request went unanswered, Msg_Check_IP_Address otherwise.
int Ping_Message(const Ping_Check& Check);

} // namespace vo
