#include "Port_Probe_Windows.h"

#include "Port_Setup_Windows.h"
#include "Port_Watch_Windows.h"
#include "Wide_Text.h"

#include <windows.h>

namespace vo {

namespace {

constexpr int Highest_Port = 256;

Port_Status Open_State(const std::string& Name) {
    Port_Status Status;
    const std::wstring Device = L"\\\\.\\" + Wide_From_Utf8(Name);
    const HANDLE Port =
        CreateFileW(Device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (Port == INVALID_HANDLE_VALUE) {
        // Windows answers "access denied" for a port that another program holds; wine answers
        // with a sharing violation.
        const DWORD Error = GetLastError();
        if (Error == ERROR_ACCESS_DENIED || Error == ERROR_SHARING_VIOLATION)
            Status.Port_State = Port_Status::State::Busy;
        return Status;
    }
    CloseHandle(Port);
    Status.Port_State = Port_Status::State::Free;
    return Status;
}

} // namespace

std::vector<std::string> Windows_Port_Probe::Present_Ports() const {
    std::vector<std::string> Ports;
    for (const Port_Info& Port : Describe_Ports())
        Ports.push_back(Port.Name);
    return Ports;
}

std::vector<Port_Info> Windows_Port_Probe::Describe_Ports() const {
    const Setup_Port_Details Details = Read_Setup_Port_Details();
    std::vector<Port_Info> Ports;
    for (int Number = 1; Number <= Highest_Port; ++Number) {
        const std::string Name = "COM" + std::to_string(Number);
        const Port_Status Status = Open_State(Name);
        if (Status.Port_State == Port_Status::State::Gone)
            continue;
        const auto Found = Details.find(Name);
        Ports.push_back({Name, Found != Details.end() ? Found->second : Port_Details{}, Status});
    }
    return Ports;
}

Port_Status Windows_Port_Probe::Status_Of(const std::string& Name) const {
    return Open_State(Name);
}

std::unique_ptr<Port_Watch> Windows_Port_Probe::Watch() const {
    return Make_Windows_Port_Watch();
}

std::unique_ptr<Port_Probe> Make_Port_Probe() {
    return std::make_unique<Windows_Port_Probe>();
}

std::unique_ptr<Port_Probe> Make_Port_Probe_At(const std::string&) {
    return nullptr;
}

const char* Port_Device_Prefix() {
    return "\\\\.\\";
}

} // namespace vo
