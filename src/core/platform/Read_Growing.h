#pragma once

#include "platform/File_System.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <system_error>

namespace vo {

// Reads an opened file of Size bytes into Bytes, at most Max_Size of them, through Read_Chunk
// (Buffer, Length, Error) -> bytes read, 0 at the end; it sets Error when the system refuses.
// The file may grow while it is read: one byte beyond the bound tells.
template <typename Chunk_Reader>
Read_Outcome Read_Growing(std::size_t Size, std::size_t Max_Size, std::string& Bytes,
                          Chunk_Reader Read_Chunk) {
    if (Size > Max_Size)
        return {Read_Failure::Too_Large, {}};
    Bytes.resize(Size + 1);
    std::size_t Done = 0;
    while (Done < Bytes.size()) {
        std::error_code Error;
        const std::size_t Got = Read_Chunk(Bytes.data() + Done, Bytes.size() - Done, Error);
        if (Error) {
            Bytes.clear();
            return {Read_Failure::System, Error};
        }
        if (Got == 0)
            break;
        Done += Got;
        if (Done == Bytes.size() && Done <= Max_Size)
            Bytes.resize(std::min(Max_Size + 1, Bytes.size() * 2));
    }
    if (Done > Max_Size) {
        Bytes.clear();
        return {Read_Failure::Too_Large, {}};
    }
    Bytes.resize(Done);
    return {};
}

} // namespace vo
