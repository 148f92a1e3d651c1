// The park window: the program's one permanent window.
#pragma once
#include <windows.h>

#include "../show/show.h"

constexpr char PARK_CLASS[] = "ParkClass";
// Sizes at 96 DPI: the window, and how far above the screen's bottom edge
// its top stands.
constexpr int PARK_WIDTH = 96;
constexpr int PARK_HEIGHT = 78;
constexpr int PARK_BOTTOM_GAP = 80;
// WM_DPICHANGED, which older headers lack.
constexpr UINT WM_DPICHANGED_MESSAGE = 0x02E0;
constexpr UINT_PTR WAIT_TIMER = 1;
constexpr UINT WAIT_TIMER_PERIOD = 250;

// Registers the park window class; false when the platform refuses it.
bool RegisterParkClass();

// Creates the park window at the bottom-left corner of the screen (not yet shown).
HWND CreateParkWindow();

// The program's show: the primary screen (screenWidth x screenHeight) in
// plain black topmost "static" windows, ended by a key or a left or right
// press anywhere on the desktop.
ShowRequest ProgramShowRequest();

LRESULT CALLBACK ParkWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
