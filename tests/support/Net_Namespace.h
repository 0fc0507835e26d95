#pragma once

#include <functional>
#include <string>

namespace vo_test {

struct Namespace_Settings {
    bool Ignore_Echo = false;      // the namespace answers no echo request
    bool Datagram_For_All = false; // every group may open ICMP datagram sockets
};

// Runs Body on a thread of its own inside a network namespace made for it, with only its loopback
// up, so that nothing it sends leaves the machine. Threads and programs Body starts share the
// namespace. Returns why the namespace could not be made (Body did not run), or an empty text.
std::string Run_In_Private_Network(const Namespace_Settings& Settings, const std::function<void()>& Body);

} // namespace vo_test
