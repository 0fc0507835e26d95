#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace vo {

// What one echo request came to.
struct Echo_Reply {
    enum class Kind {
        Answered,  // an echo reply from the target with our identifier and sequence
        No_Answer, // nothing that counts within the time-out
        Failed,    // the request could not be made; Error_Text says why
    };

    Kind Outcome = Kind::Failed;
    std::string Error_Text;
};

// Sends ICMP echo requests to a device.
class Echo_Probe {
public:
    virtual ~Echo_Probe() = default;

    // Sends one echo request carrying Data to Address, which must be a numeric IPv4 address (names
    // are never resolved), and waits up to Timeout for the reply. While_Waiting, when set, is
    // called every few milliseconds of the wait so that windows keep painting.
    virtual Echo_Reply Send_Echo(const std::string& Address, std::string_view Data,
                                 std::chrono::milliseconds Timeout,
                                 const std::function<void()>& While_Waiting) = 0;
};

// The probe of this system, with every way of sending it has.
std::unique_ptr<Echo_Probe> Make_Echo_Probe();

} // namespace vo
