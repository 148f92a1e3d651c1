// A show dispatches nothing, so no timer of the test can end one that was not
// expected to start, or that fails to end: a watchdog thread does, with a key
// press, and the test fails instead of hanging.
#pragma once
#include <windows.h>

inline HANDLE watchdogDisarmed, watchdogThread;
inline DWORD watchdogTarget;
inline volatile LONG watchdogFired;

inline DWORD WINAPI WatchShow(LPVOID)
{
    if (WaitForSingleObject(watchdogDisarmed, 4000) == WAIT_TIMEOUT) {
        InterlockedExchange(&watchdogFired, 1);
        PostThreadMessageA(watchdogTarget, WM_KEYDOWN, VK_SPACE, 0);
    }
    return 0;
}

// From here until DisarmShowWatchdog, a show still running after 4 s is ended by a key press.
inline void ArmShowWatchdog()
{
    watchdogDisarmed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    watchdogTarget = GetCurrentThreadId();
    watchdogFired = 0;
    watchdogThread = CreateThread(nullptr, 0, WatchShow, nullptr, 0, nullptr);
}

// True when the watchdog had to end a show.
inline bool DisarmShowWatchdog()
{
    SetEvent(watchdogDisarmed);
    WaitForSingleObject(watchdogThread, INFINITE);
    CloseHandle(watchdogThread);
    CloseHandle(watchdogDisarmed);
    return watchdogFired != 0;
}
