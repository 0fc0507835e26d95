#pragma once

#include <cstddef>
#include <string>
#include <system_error>

namespace vo {

// Why a file could not be read whole.
enum class Read_Failure {
    None,
    Missing,     // no such file, or a link that leads nowhere
    Not_Regular, // a folder, a pipe, a device or a socket
    Too_Large,   // more than the bound the caller gave
    System,      // the system refused; Error says why
};

struct Read_Outcome {
    Read_Failure Failure = Read_Failure::None;
    std::error_code Error;
};

// Reads the regular file at Path into Bytes, at most Max_Size bytes. Opens without waiting, so a
// pipe or a device never blocks the caller, and looks at what was opened before reading from it.
Read_Outcome Read_Regular_File(const std::string& Path, std::size_t Max_Size, std::string& Bytes);

// Owner and group of a file, to hand on to the file that replaces it.
struct File_Owner {
    bool Known = false;
    unsigned User = 0;
    unsigned Group = 0;
};

// The owner of the file Path names (following links); unknown when there is none.
File_Owner Owner_Of(const std::string& Path);

// Gives the file at Path the owner and group Owner as far as this process may: both, else the
// group alone, else neither.
void Restore_Owner(const std::string& Path, const File_Owner& Owner);

// Writes the folder's entries to the disk, so that a rename in it survives a power loss.
bool Sync_Folder(const std::string& Folder);

// Follows the links Path names, up to the system's limit, and gives the path they end at, whether
// or not a file exists there; relative targets are taken from the link's folder.
std::string Final_Link_Target(const std::string& Path);

} // namespace vo
