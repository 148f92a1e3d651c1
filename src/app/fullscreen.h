// Whether the user is busy with a full-screen program, so that a timed show
// waits instead of breaking into a game, a video or a presentation, and
// whether the user is there at all.
#pragma once
#include <windows.h>

#include <cstdint>

// What is in front once a wait has passed, a FRONT_ value of waitrule.h:
// busy when the foreground window is another program's captionless window
// over the whole of its monitor, or when Windows (Vista and later) says the
// user is in a Direct3D game or presenting; away when Windows says the user
// is not present; busy too when the foreground window's program runs at a
// higher integrity level than this one or cannot be asked (frontlevel.h),
// whatever ShowOverFullScreen says. The desktop, the shell's windows and
// this program's own windows never count. ShowOverFullScreen=1 skips the
// full-screen look.
int32_t LookInFront();

// SHQueryUserNotificationState, looked up at the first look; null where
// Windows has none. A test may put its own in after that first look.
typedef HRESULT(WINAPI* QueryNotificationStateCall)(int* state);
extern QueryNotificationStateCall queryNotificationState;

// Asks Windows (XP and later) for WM_WTSSESSION_CHANGE at the session's
// locks and unlocks; where the call is missing or fails, nothing comes and
// the wait goes on as before. The window stops them before it goes.
void StartSessionNotifications(HWND window);
void StopSessionNotifications(HWND window);
