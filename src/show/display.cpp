#include "display.h"

#include "../base/dpi.h"
#include "monitors.h"

// GUID_SESSION_DISPLAY_STATUS and GUID_MONITOR_POWER_ON, which older headers lack.
static const GUID SESSION_DISPLAY_STATUS = {0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};
static const GUID MONITOR_POWER_ON = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
// PBT_POWERSETTINGCHANGE, and the setting's data as Windows lays it out.
constexpr WPARAM POWER_SETTING_CHANGE = 0x8013;
struct PowerSetting {
    GUID setting;
    DWORD dataLength;
    DWORD data;
};

typedef BOOL(WINAPI* UnregisterPowerSettingCall)(HANDLE registration);
RegisterPowerSettingCall registerPowerSetting;
static UnregisterPowerSettingCall unregisterPowerSetting;

// Windows 8 and later tell the session's display, which follows a remote
// viewer; before them only the monitors' power is told.
static const GUID& DisplaySetting()
{
    DWORD version = GetVersion();
    bool windows8 = (version & 0x80000000) == 0 && MAKEWORD(HIBYTE(LOWORD(version)), LOBYTE(LOWORD(version))) >= 0x0602;
    return windows8 ? SESSION_DISPLAY_STATUS : MONITOR_POWER_ON;
}

HANDLE StartDisplayNotifications(HWND window)
{
    HMODULE user = LoadSystemLibrary("user32.dll");
    if (registerPowerSetting == nullptr)
        registerPowerSetting =
            reinterpret_cast<RegisterPowerSettingCall>(LookUpCall(user, "RegisterPowerSettingNotification"));
    unregisterPowerSetting =
        reinterpret_cast<UnregisterPowerSettingCall>(LookUpCall(user, "UnregisterPowerSettingNotification"));
    if (registerPowerSetting == nullptr)
        return nullptr;
    return registerPowerSetting(window, &DisplaySetting(), DEVICE_NOTIFY_WINDOW_HANDLE);
}

void StopDisplayNotifications(HANDLE registration)
{
    if (registration != nullptr && unregisterPowerSetting != nullptr)
        unregisterPowerSetting(registration);
}

int DisplayBroadcast(WPARAM wParam, LPARAM lParam)
{
    const PowerSetting* told = reinterpret_cast<const PowerSetting*>(lParam);
    if (wParam != POWER_SETTING_CHANGE || told == nullptr || told->dataLength < sizeof(DWORD)
        || (!IsEqualGUID(told->setting, SESSION_DISPLAY_STATUS) && !IsEqualGUID(told->setting, MONITOR_POWER_ON)))
        return DISPLAY_UNTOLD;
    return told->data == 0 ? DISPLAY_OFF : DISPLAY_ON;
}

struct MonitorList {
    ScreenBox* list;
    int32_t count, most;
};

// Windows puts the primary monitor's top-left corner at (0, 0).
static BOOL CALLBACK AddListedMonitor(HMONITOR, HDC, LPRECT box, LPARAM listed)
{
    MonitorList* monitors = reinterpret_cast<MonitorList*>(listed);
    AddShowMonitor(monitors->list, &monitors->count, monitors->most,
                   ScreenBox{box->left, box->top, box->right, box->bottom}, box->left == 0 && box->top == 0);
    return TRUE;
}

int32_t ListShowMonitors(ScreenBox* list, int32_t most)
{
    MonitorList monitors = {list, 0, most};
    EnumDisplayMonitors(nullptr, nullptr, AddListedMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors.count;
}
