#include "Child_Process.h"
#include "platform/Web_Page.h"

namespace vo {

// xdg-open finds the desktop's browser; it is started by argument vector and left to run.
bool Open_Web_Page(const std::string& Url) {
    Child_Options Options;
    Options.Search_Path = true;
    const Child_Process Opener("xdg-open", {"xdg-open", Url}, Options);
    return Opener.Start_Error() == 0;
}

} // namespace vo
