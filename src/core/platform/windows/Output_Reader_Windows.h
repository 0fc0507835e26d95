#pragma once

#include "platform/Output_Tail.h"

#include <memory>

namespace vo {

// The read ends of a child's standard output and error pipes (HANDLEs), read to their end by a
// thread of their own into a shared Output_Tail, so that the child never blocks on a full pipe.
// Both handles are the reader's to close.
struct Output_Pipes {
    void* Output_Read = nullptr;
    void* Error_Read = nullptr;
};

// Starts one reader per pipe; with Echo, each part is written to this process's own standard
// output or error as it comes.
void Start_Output_Reader(Output_Pipes Pipes, bool Echo, std::shared_ptr<Output_Tail> Tail);

} // namespace vo
