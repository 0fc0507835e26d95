#pragma once

#include "Http_Client.h"

namespace vo {

// Http_Client over libcurl; each request has a connection of its own.
class Curl_Http_Client final : public Http_Client {
public:
    Curl_Http_Client();
    Http_Reply Get(const Http_Request& Request, std::stop_token Stop) override;
};

} // namespace vo
