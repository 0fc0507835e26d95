#include "Wide_Text.h"
#include "platform/Web_Page.h"

// shellapi.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace vo {

bool Open_Web_Page(const std::string& Url) {
    const std::wstring Wide = Wide_From_Utf8(Url);
    // ShellExecuteW answers with a value above 32 on success.
    const auto Result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", Wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return Result > 32;
}

} // namespace vo
