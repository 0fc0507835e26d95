#pragma once

#include <chrono>
#include <cstddef>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace vo {

// One GET request: the address, the header lines to send besides Host, and its limits.
struct Http_Request {
    std::string Url;
    std::vector<std::pair<std::string, std::string>> Headers;
    // For the whole exchange, connecting included.
    std::chrono::milliseconds Timeout{10000};
    // A longer reply body fails the request.
    std::size_t Max_Body_Bytes = 65536;
};

// What came back: the body of a 2xx reply, or an error text saying why there is none.
struct Http_Reply {
    int Status = 0;
    std::string Body;
    std::string Error;

    bool Ok() const { return Error.empty(); }
};

// Sends HTTP/1.0 GET requests: no cookies, no proxy, no redirects followed. Get may be
// called from any thread, several at once.
class Http_Client {
public:
    virtual ~Http_Client() = default;
    // Blocks until the reply, the time-out, or a stop request on Stop.
    virtual Http_Reply Get(const Http_Request& Request, std::stop_token Stop) = 0;
};

} // namespace vo
