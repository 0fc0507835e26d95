#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vo {

// The words of a parameter text by the quoting rules of the POSIX shell, without any expansion:
// blanks, tabs and line ends separate words; 'single quotes' keep everything; "double quotes" keep
// everything but a backslash before $ ` " \ or a line end; a backslash outside quotes keeps the
// next character. Nothing when a quote is left open or the text ends in a lone backslash.
std::optional<std::vector<std::string>> Split_Parameter_Text(std::string_view Text);

} // namespace vo
