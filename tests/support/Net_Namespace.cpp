#include "Net_Namespace.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace vo_test {

namespace {

std::string Failure(const std::string& What) {
    return What + ": " + std::strerror(errno);
}

std::string Loopback_Up() {
    const int Fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (Fd < 0)
        return Failure("socket");
    ifreq Request{};
    std::strcpy(Request.ifr_name, "lo");
    bool Up = ioctl(Fd, SIOCGIFFLAGS, &Request) == 0;
    if (Up) {
        Request.ifr_flags |= IFF_UP;
        Up = ioctl(Fd, SIOCSIFFLAGS, &Request) == 0;
    }
    const std::string Error = Up ? std::string() : Failure("loopback up");
    close(Fd);
    return Error;
}

// The sysctl files under /proc/sys/net belong to the namespace of the thread that opens them.
std::string Set_Sysctl(const char* Path, const char* Value) {
    std::ofstream File(Path);
    File << Value;
    File.close();
    return File ? std::string() : Failure(std::string("write ") + Path);
}

std::string Set_Up(const Namespace_Settings& Settings) {
    if (unshare(CLONE_NEWNET) != 0)
        return Failure("cannot make a network namespace (needs root or CAP_SYS_ADMIN)");
    std::string Error = Loopback_Up();
    if (Error.empty() && Settings.Ignore_Echo)
        Error = Set_Sysctl("/proc/sys/net/ipv4/icmp_echo_ignore_all", "1");
    if (Error.empty() && Settings.Datagram_For_All)
        Error = Set_Sysctl("/proc/sys/net/ipv4/ping_group_range", "0 2147483647");
    return Error;
}

} // namespace

std::string Run_In_Private_Network(const Namespace_Settings& Settings, const std::function<void()>& Body) {
    std::string Error;
    std::thread Inside([&] {
        Error = Set_Up(Settings);
        if (Error.empty())
            Body();
    });
    Inside.join();
    return Error;
}

} // namespace vo_test
