#pragma once

namespace vo {

// While an object of this class lives, the requests to stop this process (SIGINT, SIGTERM and
// SIGHUP on POSIX systems, Ctrl+C and Ctrl+Break on Windows) are caught instead of ending it, so that a
// command can pass them on to the program it waits for and report that program's end.
class Stop_Requests {
public:
    Stop_Requests();
    ~Stop_Requests();
    Stop_Requests(const Stop_Requests&) = delete;
    Stop_Requests& operator=(const Stop_Requests&) = delete;

    // The request caught since the last call (on POSIX its signal number), or 0.
    int Take();
};

// The name of a stop request, as in "SIGTERM" or "Ctrl+C".
const char* Stop_Request_Name(int Request);

// Passes Request on to the process Process_Id; false when it could not be delivered.
bool Forward_Stop_Request(long Process_Id, int Request);

} // namespace vo
