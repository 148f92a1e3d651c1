// Shared set-up for the tests that run the park window and shows in-process.
#pragma once
#include <windows.h>

#include "base/globals.h"
#include "app/park.h"
#include "app/programshow.h"
#include "show/show.h"
#include "check.h"
#include "watchdog.h"

// The park window as start-up makes it, with this test program's resources.
inline HWND StartParkWindow()
{
    static bool registered;
    if (!registered)
        RequireTheGivenScreen();
    instanceHandle = GetModuleHandleA(nullptr);
    screenWidth = GetSystemMetrics(SM_CXSCREEN);
    screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (!registered)
        registered = RegisterParkClass();
    HWND park = CreateParkWindow();
    parkWindow = park;
    ShowWindow(park, SW_SHOWNORMAL);
    UpdateWindow(park);
    return park;
}

// Closes the park window and takes the quit message it posts out of the queue.
inline void CloseParkWindow(HWND park)
{
    SendMessageA(park, WM_CLOSE, 0, 0);
    DestroyWindow(park);
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// Records the windows a show creates, through a CBT hook on this thread.
inline int showWindowCount;
inline RECT showWindowRects[4];
inline LONG showWindowStyles[4];
inline HWND showWindowHandles[4];
inline bool refuseRightShowWindow; // the second show window's creation fails
inline bool refuseEveryShowWindow; // and the first one's

inline LRESULT CALLBACK RecordShowWindows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        char className[32] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (lstrcmpiA(className, "static") == 0 && create->hwndParent == nullptr) {
            if (showWindowCount < 4) {
                showWindowRects[showWindowCount] = {create->x, create->y, create->x + create->cx, create->y + create->cy};
                showWindowStyles[showWindowCount] = create->style;
                showWindowHandles[showWindowCount] = reinterpret_cast<HWND>(wParam);
            }
            ++showWindowCount;
            if (refuseEveryShowWindow || (refuseRightShowWindow && create->x > 0))
                return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

inline HHOOK RecordShowWindowsHook()
{
    return SetWindowsHookExA(WH_CBT, RecordShowWindows, nullptr, GetCurrentThreadId());
}

// Runs one show of the program's; true when it ended by itself (not by the watchdog).
inline bool RunGuardedShow(HWND park)
{
    ArmShowWatchdog();
    RunProgramShow(park);
    return !DisarmShowWatchdog();
}

// Takes every queued message in [first, last] out of the queue; how many there were.
inline int DrainMessages(UINT first, UINT last)
{
    int count = 0;
    MSG message;
    while (PeekMessageA(&message, nullptr, first, last, PM_REMOVE))
        ++count;
    return count;
}
