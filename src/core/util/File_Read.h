#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>
#include <cstddef>

namespace vo {

// Bounds of the files the program reads: far above what it writes, far below what would hurt.
inline constexpr std::size_t Xml_File_Cap = 1024 * 1024;
inline constexpr std::size_t Language_File_Cap = 4 * 1024 * 1024;

// A whole file's bytes, or why not, in words that name the file. Some readers take a missing or
// an oversized file in their own way, so those two failures are told apart.
struct [[nodiscard]] File_Bytes : Result<QByteArray> {
    using Result::Result;

    bool Missing = false; // no file at the path (a link that leads nowhere included)
    bool Too_Large = false;
};

// Reads the regular file at Path, at most Max_Size bytes. A folder, pipe, device or socket is
// refused without waiting, and so is a larger file.
File_Bytes Read_File_Bounded(const QString& Path, std::size_t Max_Size);

} // namespace vo
