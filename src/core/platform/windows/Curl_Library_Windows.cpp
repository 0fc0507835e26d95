#include "platform/Curl_Library.h"

#include <mutex>

namespace vo {

// The Windows build links its libcurl in: built for HTTP alone it brings no other library, so
// there is nothing to spare by loading it late, and one DLL fewer to ship. Name, the library the
// other systems load, has no meaning here; the global set-up still waits for the first request.
const Curl_Library& Load_Curl_Library(const std::string&) {
    static Curl_Library Calls;
    static std::once_flag Once;
    std::call_once(Once, [] {
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            Calls.Error = "libcurl could not set itself up";
            return;
        }
        Calls = {curl_easy_init,    curl_easy_cleanup,   curl_easy_setopt,
                 curl_easy_perform, curl_easy_getinfo,   curl_easy_strerror,
                 curl_slist_append, curl_slist_free_all, {}};
    });
    return Calls;
}

} // namespace vo
