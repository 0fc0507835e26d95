#pragma once

#include <cstdio>
#include <cstdlib>

namespace vo_fuzz {

// A broken promise of the code under test is a finding: say which, and stop like a crash so
// libFuzzer keeps the input.
inline void Require(bool Holds, const char* Promise) {
    if (Holds)
        return;
    std::fprintf(stderr, "Broken promise: %s\n", Promise);
    std::abort();
}

} // namespace vo_fuzz
