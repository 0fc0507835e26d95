#include "platform/Stop_Requests.h"

#include <atomic>
#include <csignal>
#include <iterator>
#include <sys/types.h>

namespace vo {

namespace {

constexpr int Caught[] = {SIGINT, SIGTERM, SIGHUP};

// A lock-free atomic may be written from a signal handler; exchange never loses a request.
std::atomic<int> Latest{0};
static_assert(std::atomic<int>::is_always_lock_free);
struct sigaction Previous[std::size(Caught)];

extern "C" void Note_Request(int Signal) {
    Latest = Signal;
}

} // namespace

Stop_Requests::Stop_Requests() {
    Latest = 0;
    struct sigaction Action {};
    Action.sa_handler = Note_Request;
    sigemptyset(&Action.sa_mask);
    for (std::size_t I = 0; I < std::size(Caught); ++I)
        sigaction(Caught[I], &Action, &Previous[I]);
}

Stop_Requests::~Stop_Requests() {
    for (std::size_t I = 0; I < std::size(Caught); ++I)
        sigaction(Caught[I], &Previous[I], nullptr);
}

int Stop_Requests::Take() {
    return Latest.exchange(0);
}

const char* Stop_Request_Name(int Request) {
    switch (Request) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "a signal";
    }
}

bool Forward_Stop_Request(long Process_Id, int Request) {
    return Process_Id > 0 && kill(static_cast<pid_t>(Process_Id), Request) == 0;
}

} // namespace vo
