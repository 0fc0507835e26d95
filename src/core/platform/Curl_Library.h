#pragma once

#include <curl/curl.h>
#include <string>

namespace vo {

// libcurl's calls, taken from the shared library when HTTP is first needed, so that a run that
// never asks the server does not map libcurl and the thirty libraries it brings.
struct Curl_Library {
    decltype(&curl_easy_init) Easy_Init = nullptr;
    decltype(&curl_easy_cleanup) Easy_Cleanup = nullptr;
    decltype(&curl_easy_setopt) Easy_Setopt = nullptr;
    decltype(&curl_easy_perform) Easy_Perform = nullptr;
    decltype(&curl_easy_getinfo) Easy_Getinfo = nullptr;
    decltype(&curl_easy_strerror) Easy_Strerror = nullptr;
    decltype(&curl_slist_append) Slist_Append = nullptr;
    decltype(&curl_slist_free_all) Slist_Free_All = nullptr;
    // Why the calls are missing; empty when they are all there.
    std::string Error;

    bool Loaded() const { return Error.empty(); }
};

// Loads the library Name and its global set-up once per process, at the first call from any
// thread; later calls give the same result. The library stays loaded until the process ends.
const Curl_Library& Load_Curl_Library(const std::string& Name);

} // namespace vo
