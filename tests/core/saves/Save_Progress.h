#pragma once

#include <atomic>
#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace vo_test {

// What the saving child tells the test, in a file both map: it stays readable after the child was
// killed at any instruction.
struct Save_Progress {
    std::uint32_t Started = 0; // the child has set up and begins to save
    std::uint32_t Saving = 0;  // 1 + the index in All_Saves of the save under way; 0 between saves
    std::uint32_t Rounds = 0;  // complete rounds of all saves

    static std::uint32_t Get(std::uint32_t& Field) { return std::atomic_ref(Field).load(); }
    static void Set(std::uint32_t& Field, std::uint32_t Value) { std::atomic_ref(Field).store(Value); }
};

// Maps the progress file at Path, created when missing; nullptr when that fails.
inline Save_Progress* Map_Save_Progress(const char* Path) {
    const int Fd = open(Path, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (Fd < 0)
        return nullptr;
    void* Page = ftruncate(Fd, sizeof(Save_Progress)) == 0
                     ? mmap(nullptr, sizeof(Save_Progress), PROT_READ | PROT_WRITE, MAP_SHARED, Fd, 0)
                     : MAP_FAILED;
    close(Fd);
    return Page == MAP_FAILED ? nullptr : static_cast<Save_Progress*>(Page);
}

} // namespace vo_test
