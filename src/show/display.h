// Whether the display can be seen, as Windows tells a window that asks for
// it: the display of the program's own session (Windows 8 and later, so a
// Remote Desktop viewer counts) or the monitors' power (Vista and 7). Earlier
// Windows tell nothing, and the display counts as seen.
#pragma once
#include <windows.h>

// RegisterPowerSettingNotification (Vista and later), looked up at the first
// registration; a test may set it first.
typedef HANDLE(WINAPI* RegisterPowerSettingCall)(HANDLE recipient, LPCGUID setting, DWORD flags);
extern RegisterPowerSettingCall registerPowerSetting;

// Asks that the window be told of the display; the registration, or null
// where Windows refuses it or has no such call.
HANDLE StartDisplayNotifications(HWND window);
void StopDisplayNotifications(HANDLE registration);

// What a WM_POWERBROADCAST tells of the display.
constexpr int DISPLAY_UNTOLD = 0; // nothing: another broadcast, or another setting
constexpr int DISPLAY_OFF = 1;
constexpr int DISPLAY_ON = 2;     // dimmed too: it can still be seen
int DisplayBroadcast(WPARAM wParam, LPARAM lParam);
