#include "Wide_Text.h"
#include "platform/File_System.h"
#include "platform/Read_Growing.h"

#include <algorithm>
#include <memory>
#include <windows.h>

namespace vo {

namespace {

// Win32 error codes in the system's own words.
class Win32_Category : public std::error_category {
public:
    const char* name() const noexcept override { return "win32"; }
    std::string message(int Code) const override {
        return System_Error_Text(static_cast<unsigned long>(Code));
    }
};

std::error_code Win32_Error(DWORD Code) {
    static const Win32_Category Category;
    return {static_cast<int>(Code), Category};
}

Read_Outcome Failed(DWORD Code) {
    const bool Missing =
        Code == ERROR_FILE_NOT_FOUND || Code == ERROR_PATH_NOT_FOUND || Code == ERROR_INVALID_NAME;
    return {Missing ? Read_Failure::Missing : Read_Failure::System, Win32_Error(Code)};
}

struct Handle_Closer {
    void operator()(HANDLE Handle) const {
        if (Handle != INVALID_HANDLE_VALUE)
            CloseHandle(Handle);
    }
};
using Handle = std::unique_ptr<void, Handle_Closer>;

} // namespace

Read_Outcome Read_Regular_File(const std::string& Path, std::size_t Max_Size, std::string& Bytes) {
    Bytes.clear();
    const std::wstring Wide = Wide_From_Utf8(Path);
    // A folder or a device is refused before it is opened: opening a port or a pipe may wait or
    // have effects. Devices (CON, COM1, \\.\...) have no attributes of a file on a disk.
    const DWORD Attributes = GetFileAttributesW(Wide.c_str());
    if (Attributes == INVALID_FILE_ATTRIBUTES)
        return Failed(GetLastError());
    if ((Attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0 || Path.starts_with("\\\\.\\"))
        return {Read_Failure::Not_Regular, {}};
    const Handle File(CreateFileW(Wide.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (File.get() == INVALID_HANDLE_VALUE)
        return Failed(GetLastError());
    if (GetFileType(File.get()) != FILE_TYPE_DISK)
        return {Read_Failure::Not_Regular, {}};
    LARGE_INTEGER Size{};
    if (!GetFileSizeEx(File.get(), &Size))
        return {Read_Failure::System, Win32_Error(GetLastError())};
    return Read_Growing(static_cast<std::size_t>(Size.QuadPart), Max_Size, Bytes,
                        [&File](char* Buffer, std::size_t Length, std::error_code& Error) -> std::size_t {
                            DWORD Got = 0;
                            const DWORD Want = static_cast<DWORD>(std::min<std::size_t>(Length, 1u << 30));
                            if (!ReadFile(File.get(), Buffer, Want, &Got, nullptr))
                                Error = Win32_Error(GetLastError());
                            return Got;
                        });
}

// A file written on Windows takes the permissions its folder hands down, which is what a file in
// the user's own folders should have; handing another owner on would need the restore privilege.
File_Owner Owner_Of(const std::string&) {
    return {};
}

void Restore_Owner(const std::string&, const File_Owner&) {}

// NTFS keeps a rename in its journal: there is no folder to flush.
bool Sync_Folder(const std::string&) {
    return true;
}

// The path the links and junctions Path names end at, as the system follows them when the file is
// opened; a path that leads nowhere is given as it is.
std::string Final_Link_Target(const std::string& Path) {
    const std::wstring Wide = Wide_From_Utf8(Path);
    const Handle File(CreateFileW(Wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (File.get() == INVALID_HANDLE_VALUE)
        return Path;
    std::wstring Final(MAX_PATH, L'\0');
    DWORD Length = GetFinalPathNameByHandleW(File.get(), Final.data(), static_cast<DWORD>(Final.size()), 0);
    if (Length >= Final.size()) {
        Final.resize(Length);
        Length = GetFinalPathNameByHandleW(File.get(), Final.data(), static_cast<DWORD>(Final.size()), 0);
    }
    if (Length == 0 || Length >= Final.size())
        return Path;
    Final.resize(Length);
    // The answer comes in the long form "\\?\C:\...", or "\\?\UNC\server\share\..." on a share.
    if (Final.starts_with(L"\\\\?\\UNC\\"))
        Final.replace(0, 8, L"\\\\");
    else if (Final.starts_with(L"\\\\?\\"))
        Final.erase(0, 4);
    return Utf8_From_Wide(Final);
}

} // namespace vo
