#include "Port_Setup_Windows.h"

#include "Wide_Text.h"

// windows.h first: the others build on it; initguid.h makes devguid.h define the class GUIDs,
// which no import library holds.
// clang-format off
#include <windows.h>
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

namespace vo {

namespace {

std::wstring Registry_Property(HDEVINFO Devices, SP_DEVINFO_DATA& Device, DWORD Property) {
    wchar_t Buffer[512] = {};
    DWORD Type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(Devices, &Device, Property, &Type, reinterpret_cast<BYTE*>(Buffer),
                                           sizeof Buffer - sizeof(wchar_t), nullptr))
        return {};
    return Buffer; // a multi-string gives its first entry
}

std::wstring Port_Name_Of(HDEVINFO Devices, SP_DEVINFO_DATA& Device) {
    const HKEY Key = SetupDiOpenDevRegKey(Devices, &Device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (Key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t Name[64] = {};
    DWORD Size = sizeof Name - sizeof(wchar_t);
    DWORD Type = 0;
    const LONG Read =
        RegQueryValueExW(Key, L"PortName", nullptr, &Type, reinterpret_cast<BYTE*>(Name), &Size);
    RegCloseKey(Key);
    return Read == ERROR_SUCCESS && Type == REG_SZ ? std::wstring(Name) : std::wstring();
}

std::wstring Instance_Id_Of(HDEVINFO Devices, SP_DEVINFO_DATA& Device) {
    wchar_t Id[512] = {};
    if (!SetupDiGetDeviceInstanceIdW(Devices, &Device, Id, static_cast<DWORD>(std::size(Id)), nullptr))
        return {};
    return Id;
}

// The four hex digits after Key ("VID_") in a hardware id such as USB\VID_0403&PID_6001&REV_0600.
std::string Id_After(const std::wstring& Hardware_Id, const wchar_t* Key) {
    const std::size_t At = Hardware_Id.find(Key);
    if (At == std::wstring::npos || At + 8 > Hardware_Id.size())
        return {};
    std::string Digits = Utf8_From_Wide(Hardware_Id.substr(At + 4, 4));
    for (char& C : Digits)
        C = static_cast<char>(C >= 'A' && C <= 'F' ? C - 'A' + 'a' : C);
    return Digits;
}

// A USB device's instance id ends with its serial number (USB\VID_0403&PID_6001\A50285BI); one
// without a serial number ends with a position the system made up, which holds "&".
std::string Serial_Of(const std::wstring& Instance_Id) {
    if (Instance_Id.rfind(L"USB\\", 0) != 0)
        return {};
    const std::wstring Last = Instance_Id.substr(Instance_Id.rfind(L'\\') + 1);
    return Last.find(L'&') == std::wstring::npos ? Utf8_From_Wide(Last) : std::string();
}

// "USB Serial Port (COM7)" without " (COM7)".
std::string Model_Of(std::wstring Friendly, const std::wstring& Port) {
    const std::wstring Suffix = L" (" + Port + L")";
    if (Friendly.size() > Suffix.size() && Friendly.ends_with(Suffix))
        Friendly.resize(Friendly.size() - Suffix.size());
    return Utf8_From_Wide(Friendly);
}

} // namespace

Setup_Port_Details Read_Setup_Port_Details() {
    Setup_Port_Details Found;
    const HDEVINFO Devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (Devices == INVALID_HANDLE_VALUE)
        return Found;
    SP_DEVINFO_DATA Device{};
    Device.cbSize = sizeof Device;
    for (DWORD Index = 0; SetupDiEnumDeviceInfo(Devices, Index, &Device); ++Index) {
        const std::wstring Port = Port_Name_Of(Devices, Device);
        if (Port.empty())
            continue;
        const std::wstring Instance_Id = Instance_Id_Of(Devices, Device);
        const std::wstring Hardware_Id = Registry_Property(Devices, Device, SPDRP_HARDWAREID);
        Port_Details Details;
        Details.Vendor_Id = Id_After(Hardware_Id, L"VID_");
        Details.Product_Id = Id_After(Hardware_Id, L"PID_");
        Details.Port_Kind =
            Details.Vendor_Id.empty() ? Port_Details::Kind::Built_In : Port_Details::Kind::Usb;
        Details.Maker = Utf8_From_Wide(Registry_Property(Devices, Device, SPDRP_MFG));
        Details.Model = Model_Of(Registry_Property(Devices, Device, SPDRP_FRIENDLYNAME), Port);
        Details.Serial_Number = Serial_Of(Instance_Id);
        Details.Stable_Name = Details.Port_Kind == Port_Details::Kind::Usb ? Utf8_From_Wide(Instance_Id) : "";
        Found.emplace(Utf8_From_Wide(Port), std::move(Details));
    }
    SetupDiDestroyDeviceInfoList(Devices);
    return Found;
}

} // namespace vo
