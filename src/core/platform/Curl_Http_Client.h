#pragma once

#include "Http_Client.h"

#include <string>

namespace vo {

// The system's libcurl, by the name it is loaded under.
inline constexpr const char* Curl_Library_Name = "libcurl.so.4";

// Http_Client over libcurl; each request has a connection of its own. The library is loaded at
// the first request; when it cannot be, every request fails with an error that says so.
class Curl_Http_Client final : public Http_Client {
public:
    explicit Curl_Http_Client(std::string Library = Curl_Library_Name);
    Http_Reply Get(const Http_Request& Request, std::stop_token Stop) override;

private:
    std::string Library_Name;
};

} // namespace vo
