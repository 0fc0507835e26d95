#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace vo_fuzz {

// The fuzzer's input as bytes, without a copy.
QByteArray Input_Bytes(const std::uint8_t* Data, std::size_t Size);

// A folder of its own for this process, made at the first call and removed at exit.
QString Input_Folder();

// Replaces the file Name in Input_Folder with the input and returns its path: for the parsers
// that read from a path, so they are fuzzed through the same code the program runs.
QString Write_Input_File(const QString& Name, const std::uint8_t* Data, std::size_t Size);

} // namespace vo_fuzz
