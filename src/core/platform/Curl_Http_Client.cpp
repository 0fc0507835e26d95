#include "Curl_Http_Client.h"

#include "Curl_Library.h"

#include <memory>

namespace vo {

namespace {

struct Transfer {
    std::string Body;
    std::size_t Max_Body_Bytes;
    std::stop_token Stop;
    bool Too_Large = false;
};

std::size_t Write_Body(char* Data, std::size_t Size, std::size_t Count, void* User) {
    auto& Into = *static_cast<Transfer*>(User);
    const std::size_t Bytes = Size * Count;
    if (Bytes > Into.Max_Body_Bytes - Into.Body.size()) {
        Into.Too_Large = true;
        return 0;
    }
    Into.Body.append(Data, Bytes);
    return Bytes;
}

int Check_Stop(void* User, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(User)->Stop.stop_requested() ? 1 : 0;
}

using Curl_Handle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using Header_List = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

Header_List Make_Header_List(const Curl_Library& Curl, const Http_Request& Request) {
    curl_slist* List = nullptr;
    for (const auto& [Name, Value] : Request.Headers)
        List = Curl.Slist_Append(List, (Name + ": " + Value).c_str());
    return {List, Curl.Slist_Free_All};
}

} // namespace

Curl_Http_Client::Curl_Http_Client(std::string Library) : Library_Name(std::move(Library)) {}

Http_Reply Curl_Http_Client::Get(const Http_Request& Request, std::stop_token Stop) {
    Http_Reply Reply;
    const Curl_Library& Lib = Load_Curl_Library(Library_Name);
    if (!Lib.Loaded()) {
        Reply.Error = Lib.Error;
        return Reply;
    }
    const Curl_Handle Handle(Lib.Easy_Init(), Lib.Easy_Cleanup);
    const Header_List Headers = Make_Header_List(Lib, Request);
    if (!Handle || (!Headers && !Request.Headers.empty())) {
        Reply.Error = "libcurl could not set up the request";
        return Reply;
    }
    CURL* const Curl = Handle.get();
    Transfer Into{{}, Request.Max_Body_Bytes, std::move(Stop)};
    char Error_Text[CURL_ERROR_SIZE] = {};

    Lib.Easy_Setopt(Curl, CURLOPT_URL, Request.Url.c_str());
    Lib.Easy_Setopt(Curl, CURLOPT_PROTOCOLS_STR, "http,https");
    Lib.Easy_Setopt(Curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    Lib.Easy_Setopt(Curl, CURLOPT_HTTPGET, 1L);
    Lib.Easy_Setopt(Curl, CURLOPT_HTTPHEADER, Headers.get());
    // A redirect would take the answer from wherever the first server points; the reply must
    // come from the server asked.
    Lib.Easy_Setopt(Curl, CURLOPT_FOLLOWLOCATION, 0L);
    // Straight to the server, whatever proxy the environment names.
    Lib.Easy_Setopt(Curl, CURLOPT_PROXY, "");
    // Signals are no way to time out a request on a worker thread.
    Lib.Easy_Setopt(Curl, CURLOPT_NOSIGNAL, 1L);
    Lib.Easy_Setopt(Curl, CURLOPT_TIMEOUT_MS, static_cast<long>(Request.Timeout.count()));
    Lib.Easy_Setopt(Curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(Request.Max_Body_Bytes));
    Lib.Easy_Setopt(Curl, CURLOPT_WRITEFUNCTION, &Write_Body);
    Lib.Easy_Setopt(Curl, CURLOPT_WRITEDATA, &Into);
    Lib.Easy_Setopt(Curl, CURLOPT_XFERINFOFUNCTION, &Check_Stop);
    Lib.Easy_Setopt(Curl, CURLOPT_XFERINFODATA, &Into);
    Lib.Easy_Setopt(Curl, CURLOPT_NOPROGRESS, 0L);
    Lib.Easy_Setopt(Curl, CURLOPT_ERRORBUFFER, Error_Text);

    const CURLcode Code = Lib.Easy_Perform(Curl);
    long Status = 0;
    Lib.Easy_Getinfo(Curl, CURLINFO_RESPONSE_CODE, &Status);
    Reply.Status = static_cast<int>(Status);

    if (Into.Too_Large || Code == CURLE_FILESIZE_EXCEEDED)
        Reply.Error = "reply body longer than " + std::to_string(Request.Max_Body_Bytes) + " bytes";
    else if (Code == CURLE_ABORTED_BY_CALLBACK)
        Reply.Error = "request stopped";
    else if (Code != CURLE_OK)
        Reply.Error = Error_Text[0] != '\0' ? Error_Text : Lib.Easy_Strerror(Code);
    else if (Status < 200 || Status > 299)
        Reply.Error = "HTTP status " + std::to_string(Status);
    else
        Reply.Body = std::move(Into.Body);
    return Reply;
}

} // namespace vo
