#include "platform/Curl_Library.h"

#include <dlfcn.h>
#include <map>
#include <memory>
#include <mutex>

namespace vo {

namespace {

// One loaded library with its global set-up, undone when the process ends.
class Loaded_Curl {
public:
    explicit Loaded_Curl(const std::string& Name) {
        // Its own symbols stay out of the global namespace: nothing else in the process links it.
        Handle = dlopen(Name.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!Handle) {
            const char* Reason = dlerror();
            Calls.Error =
                "HTTP needs " + Name + ", which could not be loaded: " + (Reason ? Reason : "unknown reason");
            return;
        }
        Take(Calls.Easy_Init, "curl_easy_init");
        Take(Calls.Easy_Cleanup, "curl_easy_cleanup");
        Take(Calls.Easy_Setopt, "curl_easy_setopt");
        Take(Calls.Easy_Perform, "curl_easy_perform");
        Take(Calls.Easy_Getinfo, "curl_easy_getinfo");
        Take(Calls.Easy_Strerror, "curl_easy_strerror");
        Take(Calls.Slist_Append, "curl_slist_append");
        Take(Calls.Slist_Free_All, "curl_slist_free_all");
        Take(Global_Init, "curl_global_init");
        Take(Global_Cleanup, "curl_global_cleanup");
        if (Calls.Loaded() && Global_Init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            Calls.Error = "libcurl could not set itself up";
        Initialised = Calls.Loaded();
    }
    ~Loaded_Curl() {
        if (Initialised)
            Global_Cleanup();
    }
    Loaded_Curl(const Loaded_Curl&) = delete;
    Loaded_Curl& operator=(const Loaded_Curl&) = delete;

    const Curl_Library& Library() const { return Calls; }

private:
    template <typename Call> void Take(Call& Into, const char* Symbol) {
        Into = reinterpret_cast<Call>(dlsym(Handle, Symbol));
        if (!Into && Calls.Loaded())
            Calls.Error = std::string("the loaded libcurl lacks ") + Symbol;
    }

    void* Handle = nullptr;
    Curl_Library Calls;
    decltype(&curl_global_init) Global_Init = nullptr;
    decltype(&curl_global_cleanup) Global_Cleanup = nullptr;
    bool Initialised = false;
};

} // namespace

const Curl_Library& Load_Curl_Library(const std::string& Name) {
    static std::mutex Guard;
    static std::map<std::string, std::unique_ptr<Loaded_Curl>> Libraries;
    const std::lock_guard Lock(Guard);
    std::unique_ptr<Loaded_Curl>& Entry = Libraries[Name];
    if (!Entry)
        Entry = std::make_unique<Loaded_Curl>(Name);
    return Entry->Library();
}

} // namespace vo
