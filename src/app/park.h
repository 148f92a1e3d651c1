// The park window: the program's one permanent window.
#pragma once
#include <windows.h>

#include "../show/show.h"

constexpr char PARK_CLASS[] = "ParkClass";
constexpr int PARK_WIDTH = 96;
constexpr int PARK_HEIGHT = 78;
constexpr UINT_PTR WAIT_TIMER = 1;
constexpr UINT WAIT_TIMER_PERIOD = 250;

// Registers the park window class; false when the platform refuses it.
bool RegisterParkClass();

// Creates the park window at the bottom-left corner of the screen (not yet shown).
HWND CreateParkWindow();

// The program's show: the primary screen (screenWidth x screenHeight) in
// plain black "static" windows, ended by a key or a left or right press.
ShowRequest ProgramShowRequest();

LRESULT CALLBACK ParkWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
