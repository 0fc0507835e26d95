#pragma once

#include <string>
#include <string_view>

namespace vo {

// UTF-8 to the UTF-16 of the wide Win32 calls and back; invalid sequences become U+FFFD.
std::wstring Wide_From_Utf8(std::string_view Text);
std::string Utf8_From_Wide(std::wstring_view Text);

// The system's own text for a Win32 error code, without the trailing line end.
std::string System_Error_Text(unsigned long Code);

} // namespace vo
