#include "platform/Stop_Requests.h"

#include <atomic>
#include <windows.h>

namespace vo {

namespace {

// Ctrl+C and Ctrl+Break are caught; closing the console, logging off and shutting down end the
// process whatever a handler does, so those keep their default. A request is its event plus one,
// as 0 (Ctrl+C's number) means none.
std::atomic<int> Latest{0};

BOOL WINAPI Note_Request(DWORD Event) {
    if (Event != CTRL_C_EVENT && Event != CTRL_BREAK_EVENT)
        return FALSE;
    Latest = static_cast<int>(Event) + 1;
    return TRUE;
}

} // namespace

Stop_Requests::Stop_Requests() {
    Latest = 0;
    SetConsoleCtrlHandler(Note_Request, TRUE);
}

Stop_Requests::~Stop_Requests() {
    SetConsoleCtrlHandler(Note_Request, FALSE);
}

int Stop_Requests::Take() {
    return Latest.exchange(0);
}

const char* Stop_Request_Name(int Request) {
    switch (Request - 1) {
    case CTRL_C_EVENT:
        return "Ctrl+C";
    case CTRL_BREAK_EVENT:
        return "Ctrl+Break";
    default:
        return "a console event";
    }
}

// The console sends Ctrl+C and Ctrl+Break to every program attached to it: the updater, started
// on this program's console, has had the request already.
bool Forward_Stop_Request(long Process_Id, int) {
    return Process_Id > 0;
}

} // namespace vo
