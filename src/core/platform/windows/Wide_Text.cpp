#include "Wide_Text.h"

#include <windows.h>

namespace vo {

std::wstring Wide_From_Utf8(std::string_view Text) {
    if (Text.empty())
        return {};
    const int Size = static_cast<int>(Text.size());
    std::wstring Wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, Text.data(), Size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Text.data(), Size, Wide.data(), static_cast<int>(Wide.size()));
    return Wide;
}

std::string Utf8_From_Wide(std::wstring_view Text) {
    if (Text.empty())
        return {};
    const int Size = static_cast<int>(Text.size());
    std::string Narrow(static_cast<std::size_t>(
                           WideCharToMultiByte(CP_UTF8, 0, Text.data(), Size, nullptr, 0, nullptr, nullptr)),
                       '\0');
    WideCharToMultiByte(CP_UTF8, 0, Text.data(), Size, Narrow.data(), static_cast<int>(Narrow.size()),
                        nullptr, nullptr);
    return Narrow;
}

std::string System_Error_Text(unsigned long Code) {
    wchar_t* Buffer = nullptr;
    const DWORD Length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, Code, 0, reinterpret_cast<wchar_t*>(&Buffer), 0, nullptr);
    std::wstring Text = Length > 0 ? std::wstring(Buffer, Length) : std::wstring();
    LocalFree(Buffer);
    while (!Text.empty() &&
           (Text.back() == L'\n' || Text.back() == L'\r' || Text.back() == L' ' || Text.back() == L'.'))
        Text.pop_back();
    if (Text.empty())
        return "system error " + std::to_string(Code);
    return Utf8_From_Wide(Text);
}

} // namespace vo
