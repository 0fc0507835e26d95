#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>

namespace vo {

// How much of what an updater writes is kept: its last part, where the reason of a failure stands.
inline constexpr std::size_t Output_Tail_Limit = 64 * 1024;

// What a started program writes to its standard output and error, as a reader takes it in: the
// last Output_Tail_Limit bytes, in the order they came. Shared by the reader and the caller.
class Output_Tail {
public:
    void Add(const char* Bytes, std::size_t Count);
    // Nothing more comes: the program, and every program it started, closed their ends.
    void Close();
    // What was kept, once all of it came or Wait has passed: a program that left a child of its
    // own holding the output is not waited for beyond that.
    std::string Text(std::chrono::milliseconds Wait) const;

private:
    mutable std::mutex Guard;
    mutable std::condition_variable Closed_Signal;
    std::string Kept;
    bool Closed = false;
};

} // namespace vo
