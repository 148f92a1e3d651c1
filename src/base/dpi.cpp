#include "dpi.h"

#include <cstdint>

HMODULE LoadSystemLibrary(const char* fileName)
{
    char path[MAX_PATH + 32];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || lstrlenA(fileName) > 30)
        return nullptr;
    lstrcatA(path, "\\");
    lstrcatA(path, fileName);
    return LoadLibraryA(path);
}

AnyCall LookUpCall(HMODULE module, const char* name)
{
    return module == nullptr ? nullptr : reinterpret_cast<AnyCall>(GetProcAddress(module, name));
}

typedef BOOL(WINAPI* SetAwarenessContextCall)(HANDLE);
typedef HRESULT(WINAPI* SetAwarenessCall)(int);
typedef BOOL(WINAPI* SetAwareCall)();
typedef HRESULT(WINAPI* DpiForMonitorCall)(HMONITOR, int, UINT*, UINT*);

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE, and
// shcore's PROCESS_PER_MONITOR_DPI_AWARE and MDT_EFFECTIVE_DPI.
static const HANDLE PER_MONITOR_AWARE_V2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
static const HANDLE PER_MONITOR_AWARE = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
constexpr int PROCESS_PER_MONITOR_AWARE = 2;
constexpr int EFFECTIVE_DPI = 0;

void BecomeDpiAware()
{
    HMODULE user = GetModuleHandleA("user32.dll");
    SetAwarenessContextCall setContext =
        reinterpret_cast<SetAwarenessContextCall>(LookUpCall(user, "SetProcessDpiAwarenessContext"));
    if (setContext != nullptr && (setContext(PER_MONITOR_AWARE_V2) || setContext(PER_MONITOR_AWARE)))
        return;
    SetAwarenessCall setAwareness =
        reinterpret_cast<SetAwarenessCall>(LookUpCall(LoadSystemLibrary("shcore.dll"), "SetProcessDpiAwareness"));
    if (setAwareness != nullptr && SUCCEEDED(setAwareness(PROCESS_PER_MONITOR_AWARE)))
        return;
    SetAwareCall setAware = reinterpret_cast<SetAwareCall>(LookUpCall(user, "SetProcessDPIAware"));
    if (setAware != nullptr)
        setAware();
}

int32_t SystemDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int32_t MonitorDpi(HMONITOR monitor)
{
    static bool lookedUp;
    static DpiForMonitorCall dpiForMonitor;
    if (!lookedUp) {
        lookedUp = true;
        dpiForMonitor = reinterpret_cast<DpiForMonitorCall>(LookUpCall(LoadSystemLibrary("shcore.dll"), "GetDpiForMonitor"));
    }
    UINT x = 0, y = 0;
    if (monitor != nullptr && dpiForMonitor != nullptr && SUCCEEDED(dpiForMonitor(monitor, EFFECTIVE_DPI, &x, &y))
        && y > 0)
        return static_cast<int32_t>(y);
    return SystemDpi();
}

int32_t PrimaryMonitorDpi()
{
    POINT origin = {0, 0};
    return MonitorDpi(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY));
}
