// The park window: the program's one permanent window.
#pragma once
#include <windows.h>

#include "../show/show.h"
#include "desktoprules.h"

constexpr char PARK_CLASS[] = "ParkClass";
// WM_DPICHANGED, which older headers lack.
constexpr UINT WM_DPICHANGED_MESSAGE = 0x02E0;
constexpr UINT_PTR WAIT_TIMER = 1;
constexpr UINT WAIT_TIMER_PERIOD = 250;

// Registers the park window class; false when the platform refuses it.
bool RegisterParkClass();

// Creates the park window at the bottom-left corner of the screen (not yet shown).
HWND CreateParkWindow();

// The pictures of the show mode the program started in, loaded with the park
// window and released with it.
extern ShowPictures parkPictures;

LRESULT CALLBACK ParkWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
