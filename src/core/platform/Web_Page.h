#pragma once

#include <string>

namespace vo {

// Hands Url to the user's web browser without waiting for it; false when the system could not
// hand it over.
bool Open_Web_Page(const std::string& Url);

} // namespace vo
