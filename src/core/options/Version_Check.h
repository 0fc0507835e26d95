#pragma once

#include "platform/Http_Client.h"
#include "shell/Software_Info.h"

#include <QString>
#include <chrono>
#include <cstddef>
#include <stop_token>

namespace vo {

// The server that answers the version request, and how long to wait for it.
struct Version_Service {
    QString Server_Url = Maker_Server_Url();
    std::chrono::milliseconds Timeout{10000};
};

// A version reply is a few bytes; anything beyond this is not one.
inline constexpr std::size_t Version_Reply_Cap = 64 * 1024;

// The version in a reply such as "VER. 2.003" as the number 2003: the characters 1, 3, 4 and 5 of
// the trimmed text after the first blank (the whole text when there is none). -1 when those do
// not convert, or when that text is shorter than five characters.
int Conv_Version(const QString& Ver_str);

// Whether a reply of the version service names a version newer than this program's. An empty
// reply, which is what a failed request gives, never does.
bool Reply_Reports_Newer_Version(const QString& Reply);

// The GET of the version service on Service.Server_Url, with the fixed Accept and User-Agent.
Http_Request Version_Request(const Version_Service& Service);

// Asks the version service whether a newer version exists. Every failure counts as no.
bool Check_Version(Http_Client& Client, const Version_Service& Service, std::stop_token Stop = {});

} // namespace vo
