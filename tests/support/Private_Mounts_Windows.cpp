#include "Private_Mounts.h"

namespace vo_test {

// Windows has no mount namespaces, lets the owner of a folder write into it whatever its
// attributes, and under wine the tests run as root, whom no file permission stops: the cases
// that need these are left to Linux.
namespace {

const char* const No_Mounts = "no mount namespaces on Windows";

} // namespace

std::string Run_In_Private_Mounts(const std::function<void()>&) {
    return No_Mounts;
}

std::string Mount_Tmpfs(const QString&, const std::string&) {
    return No_Mounts;
}

std::string Bind_Read_Only(const QString&) {
    return No_Mounts;
}

std::string With_Read_Only(const QString&, const std::function<void()>&) {
    return "no path refuses changes to this process on Windows under wine";
}

} // namespace vo_test
