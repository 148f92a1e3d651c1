// Hoplette.scr's preview: the show in miniature inside a window of Windows'
// screen saver settings.
#pragma once
#include <windows.h>

// Makes the preview window, a black child filling parent's client area with
// the ball of the chosen show scaled down to it, moving at the full screen's
// pace relative to the area. It posts the quit message when it is destroyed,
// with its parent or when it finds the parent gone. nullptr when it could not
// be made.
HWND CreatePreviewWindow(HWND parent);

LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
