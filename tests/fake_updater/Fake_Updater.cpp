// A stand-in for the two updaters, built for every system the program is: it records what it was
// given and ends as told, through environment variables the test sets.
//
//   VO_FAKE_RECORD    file that gets the argument count, each argument on a line of its own, the
//                     command line as the system handed it over (Windows only, after "command line: ")
//                     and the working folder
//   VO_FAKE_JOB_COPY  file that gets a copy of the Ethernet_Update.xml beside this program
//   VO_FAKE_RELEASE   file whose appearance this program waits for before it ends (60 s at most)
//   VO_FAKE_EXIT      the exit code (0 unless set)
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

const char* Variable(const char* Name) {
    const char* Value = std::getenv(Name);
    return Value != nullptr && *Value != '\0' ? Value : nullptr;
}

#ifdef _WIN32
std::string Command_Line() {
    const std::wstring Wide = GetCommandLineW();
    std::string Narrow(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, Wide.c_str(), static_cast<int>(Wide.size()),
                                                     nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, Wide.c_str(), static_cast<int>(Wide.size()), Narrow.data(),
                        static_cast<int>(Narrow.size()), nullptr, nullptr);
    return Narrow;
}
#endif

} // namespace

int main(int argc, char** argv) {
    if (const char* Record = Variable("VO_FAKE_RECORD")) {
        std::ofstream Out(Record, std::ios::binary);
        Out << argc - 1 << '\n';
        for (int I = 1; I < argc; ++I)
            Out << argv[I] << '\n';
#ifdef _WIN32
        Out << "command line: " << Command_Line() << '\n';
#endif
        Out << fs::current_path().string() << '\n';
    }
    if (const char* Job_Copy = Variable("VO_FAKE_JOB_COPY")) {
        std::error_code Error;
        fs::copy_file(fs::absolute(argv[0]).parent_path() / "Ethernet_Update.xml", Job_Copy,
                      fs::copy_options::overwrite_existing, Error);
    }
    if (const char* Release = Variable("VO_FAKE_RELEASE")) {
        const auto Give_Up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!fs::exists(Release) && std::chrono::steady_clock::now() < Give_Up)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const char* Exit = Variable("VO_FAKE_EXIT");
    return Exit != nullptr ? std::atoi(Exit) : 0;
}
