#include "fullscreen.h"

#include "../base/dpi.h"
#include "../base/globals.h"
#include "frontlevel.h"
#include "fullscreenrules.h"
#include "waitrule.h"

#include "../show/show.h"

// Newer than Windows 98, or than Windows 95: looked up at run time so that
// the program still starts there, and asked only once a wait has passed.
typedef HWND(WINAPI* GetShellWindowCall)();
typedef HMONITOR(WINAPI* MonitorFromWindowCall)(HWND, DWORD);
typedef BOOL(WINAPI* GetMonitorInfoCall)(HMONITOR, MONITORINFO*);

static bool callsLookedUp;
static GetShellWindowCall getShellWindow;
static MonitorFromWindowCall monitorFromWindow;
static GetMonitorInfoCall getMonitorInfo;
QueryNotificationStateCall queryNotificationState;

static void LookUpCalls()
{
    callsLookedUp = true;
    HMODULE user = GetModuleHandleA("user32.dll");
    getShellWindow = reinterpret_cast<GetShellWindowCall>(LookUpCall(user, "GetShellWindow"));
    monitorFromWindow = reinterpret_cast<MonitorFromWindowCall>(LookUpCall(user, "MonitorFromWindow"));
    getMonitorInfo = reinterpret_cast<GetMonitorInfoCall>(LookUpCall(user, "GetMonitorInfoA"));
    queryNotificationState = reinterpret_cast<QueryNotificationStateCall>(
        LookUpCall(LoadSystemLibrary("shell32.dll"), "SHQueryUserNotificationState"));
}

// The monitor the window is on; without the monitor calls, the screen as it
// is now (a game may have changed its size).
static ScreenBox MonitorOf(HWND window)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (monitorFromWindow != nullptr && getMonitorInfo != nullptr) {
        HMONITOR monitor = monitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
        if (monitor == nullptr || !getMonitorInfo(monitor, &info))
            return ScreenBox{0, 0, 0, 0};
        return ScreenBox{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    }
    return ScreenBox{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The process of the program in front, 0 where nothing is or where what is
// there never counts: the desktop, the shell's windows, this program's own.
static DWORD ProgramInFront(HWND front)
{
    if (front == nullptr || front == GetDesktopWindow() || (getShellWindow != nullptr && front == getShellWindow()))
        return 0;
    char className[32] = "";
    GetClassNameA(front, className, sizeof className);
    if (IsShellWindowClass(className))
        return 0;
    DWORD process = 0;
    GetWindowThreadProcessId(front, &process);
    return process == GetCurrentProcessId() ? 0 : process;
}

static bool FullScreenWindow(HWND front)
{
    RECT box;
    return GetWindowRect(front, &box)
           && LooksFullScreen(ScreenBox{box.left, box.top, box.right, box.bottom}, MonitorOf(front),
                              static_cast<uint32_t>(GetWindowLongA(front, GWL_STYLE)));
}

int32_t LookInFront()
{
    if (!callsLookedUp)
        LookUpCalls();
    int state = 0;
    if (queryNotificationState == nullptr || FAILED(queryNotificationState(&state)))
        state = 0;
    HWND front = GetForegroundWindow();
    DWORD process = ProgramInFront(front);
    if (process == 0)
        return WaitRuleLook(false, state, showOverFullScreen, LEVEL_MISSING);
    return WaitRuleLook(showOverFullScreen != 1 && FullScreenWindow(front), state, showOverFullScreen,
                        frontProgramLevel(process));
}

typedef BOOL(WINAPI* RegisterSessionCall)(HWND, DWORD);
typedef BOOL(WINAPI* UnregisterSessionCall)(HWND);
static UnregisterSessionCall unregisterSession;
static bool sessionRegistered;

void StartSessionNotifications(HWND window)
{
    HMODULE wtsapi = LoadSystemLibrary("wtsapi32.dll");
    RegisterSessionCall registerSession
        = reinterpret_cast<RegisterSessionCall>(LookUpCall(wtsapi, "WTSRegisterSessionNotification"));
    unregisterSession = reinterpret_cast<UnregisterSessionCall>(LookUpCall(wtsapi, "WTSUnRegisterSessionNotification"));
    const DWORD NOTIFY_FOR_THIS_SESSION_ONLY = 0;
    sessionRegistered = registerSession != nullptr && unregisterSession != nullptr
                        && registerSession(window, NOTIFY_FOR_THIS_SESSION_ONLY);
}

void StopSessionNotifications(HWND window)
{
    if (sessionRegistered)
        unregisterSession(window);
    sessionRegistered = false;
}
