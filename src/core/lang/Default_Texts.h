#pragma once

#include <span>

namespace vo {

// One built-in English text of the string table; Text is UTF-8.
struct Default_Text {
    int Id;
    const char* Text;
};

// The entries with a built-in text, sorted by id; every other entry is a single blank.
std::span<const Default_Text> Default_Texts();

} // namespace vo
