#include "Port_Probe_Windows.h"

#include <windows.h>

namespace vo {

namespace {

constexpr int Highest_Port = 256;

bool Port_Present(int Number) {
    const std::wstring Device = L"\\\\.\\COM" + std::to_wstring(Number);
    const HANDLE Port =
        CreateFileW(Device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (Port == INVALID_HANDLE_VALUE) {
        // Windows answers "access denied" for a port that another program holds; wine answers
        // with a sharing violation.
        const DWORD Error = GetLastError();
        return Error == ERROR_ACCESS_DENIED || Error == ERROR_SHARING_VIOLATION;
    }
    CloseHandle(Port);
    return true;
}

} // namespace

std::vector<std::string> Windows_Port_Probe::Present_Ports() const {
    std::vector<std::string> Ports;
    for (int Number = 1; Number <= Highest_Port; ++Number) {
        if (Port_Present(Number))
            Ports.push_back("COM" + std::to_string(Number));
    }
    return Ports;
}

std::unique_ptr<Port_Probe> Make_Port_Probe() {
    return std::make_unique<Windows_Port_Probe>();
}

const char* Port_Device_Prefix() {
    return "\\\\.\\";
}

} // namespace vo
