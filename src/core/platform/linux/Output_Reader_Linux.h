#pragma once

#include "platform/Output_Tail.h"

#include <memory>
#include <sys/types.h>

namespace vo {

// A child's standard output and error go to two unnamed files rather than pipes: a write to a file
// never waits for a reader and never fails for want of one, so an updater is neither held up by a
// slow terminal nor broken when this program ends before it (an updater left running). A thread of
// its own follows the two files into an Output_Tail until the child has ended.
class Output_Files {
public:
    Output_Files() = default;
    ~Output_Files();
    Output_Files(const Output_Files&) = delete;
    Output_Files& operator=(const Output_Files&) = delete;

    // Makes the two files; errno on failure.
    int Make();
    // The descriptors the child writes to (its 1 and 2).
    int Output_Write() const { return Write[0]; }
    int Error_Write() const { return Write[1]; }

    // Starts the follower for the child Pid; with Echo, each part is written to this process's own
    // standard output or error as it comes. The read descriptors go to the follower.
    void Follow(pid_t Pid, bool Echo, std::shared_ptr<Output_Tail> Tail);

private:
    int Write[2] = {-1, -1};
    int Read[2] = {-1, -1};
};

} // namespace vo
