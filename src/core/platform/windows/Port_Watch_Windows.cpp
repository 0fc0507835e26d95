#include "Port_Watch_Windows.h"

// windows.h first: cfgmgr32.h builds on it.
// clang-format off
#include <windows.h>
#include <cfgmgr32.h>
// clang-format on

namespace vo {

namespace {

// Not declared by every SDK's headers, and missing before Windows 8: looked up at run time.
using Register_Call = CONFIGRET(WINAPI*)(PCM_NOTIFY_FILTER, PVOID, PCM_NOTIFY_CALLBACK, PHCMNOTIFICATION);
using Unregister_Call = CONFIGRET(WINAPI*)(HCMNOTIFICATION);

// Runs on a thread of the system's pool: it only sets the event.
DWORD CALLBACK On_Device_Change(HCMNOTIFICATION, PVOID Context, CM_NOTIFY_ACTION Action,
                                PCM_NOTIFY_EVENT_DATA, DWORD) {
    if (Action == CM_NOTIFY_ACTION_DEVICEINTERFACEARRIVAL ||
        Action == CM_NOTIFY_ACTION_DEVICEINTERFACEREMOVAL)
        SetEvent(static_cast<HANDLE>(Context));
    return ERROR_SUCCESS;
}

class Windows_Port_Watch final : public Port_Watch {
public:
    Windows_Port_Watch(HANDLE Signalled, HCMNOTIFICATION Registered, Unregister_Call Unregister_Call_Of)
        : Event(Signalled), Registration(Registered), Unregister(Unregister_Call_Of) {}
    ~Windows_Port_Watch() override {
        // Waits for a callback under way, so that the event outlives every use.
        Unregister(Registration);
        CloseHandle(Event);
    }
    Windows_Port_Watch(const Windows_Port_Watch&) = delete;
    Windows_Port_Watch& operator=(const Windows_Port_Watch&) = delete;

    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(Event); }

    bool Take_Notifications() override {
        ResetEvent(Event);
        return true;
    }

private:
    HANDLE Event;
    HCMNOTIFICATION Registration;
    Unregister_Call Unregister;
};

} // namespace

std::unique_ptr<Port_Watch> Make_Windows_Port_Watch() {
    // Stays loaded for the program's life: every watch unregisters through it.
    const HMODULE Library = LoadLibraryW(L"cfgmgr32.dll");
    if (!Library)
        return nullptr;
    const auto Register = reinterpret_cast<Register_Call>(
        reinterpret_cast<void*>(GetProcAddress(Library, "CM_Register_Notification")));
    const auto Unregister = reinterpret_cast<Unregister_Call>(
        reinterpret_cast<void*>(GetProcAddress(Library, "CM_Unregister_Notification")));
    if (!Register || !Unregister)
        return nullptr;
    const HANDLE Event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!Event)
        return nullptr;
    // Every interface class: USB-serial drivers do not all register the COM port interface, and
    // arrivals are rare enough that a spare look costs nothing.
    CM_NOTIFY_FILTER Filter{};
    Filter.cbSize = sizeof Filter;
    Filter.Flags = CM_NOTIFY_FILTER_FLAG_ALL_INTERFACE_CLASSES;
    Filter.FilterType = CM_NOTIFY_FILTER_TYPE_DEVICEINTERFACE;
    HCMNOTIFICATION Registration = nullptr;
    if (Register(&Filter, Event, On_Device_Change, &Registration) != CR_SUCCESS) {
        CloseHandle(Event);
        return nullptr;
    }
    return std::make_unique<Windows_Port_Watch>(Event, Registration, Unregister);
}

} // namespace vo
