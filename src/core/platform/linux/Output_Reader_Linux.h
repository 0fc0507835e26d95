#pragma once

#include "platform/Output_Tail.h"

#include <memory>

namespace vo {

// The two pipes of a child's standard output and error, read to their end by a thread of their
// own into a shared Output_Tail, so that the child never blocks on a full pipe whatever its caller
// does. Both descriptors are the reader's to close.
struct Output_Pipes {
    int Output_Read = -1;
    int Error_Read = -1;
};

// Starts the reader; with Echo, each part is written to this process's own standard output or
// error as it comes.
void Start_Output_Reader(Output_Pipes Pipes, bool Echo, std::shared_ptr<Output_Tail> Tail);

} // namespace vo
