// Shows Hoplette.scr's preview the way Windows' screen saver settings do, a
// small black monitor in a stand, but in a window of this process: Wine shows
// nothing that a child window of another process paints, so
// tools/screenshots.sh photographs the preview here. It runs until closed.
#include <windows.h>

#include "base/globals.h"
#include "saver/preview.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    instanceHandle = instance;
    screenWidth = GetSystemMetrics(SM_CXSCREEN);
    screenHeight = GetSystemMetrics(SM_CYSCREEN);

    WNDCLASSA standClass = {};
    standClass.lpfnWndProc = DefWindowProcA;
    standClass.hInstance = instance;
    standClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    standClass.lpszClassName = "PreviewStand";
    RegisterClassA(&standClass);
    // The stand at (100, 100), 184 x 144, with the 152 x 112 monitor inside it.
    HWND stand = CreateWindowExA(0, "PreviewStand", "Hoplette", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100,
                                 184, 144, nullptr, nullptr, instance, nullptr);
    HWND monitor = CreateWindowExA(0, "PreviewStand", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 16, 16, 152,
                                   112, stand, nullptr, instance, nullptr);
    if (CreatePreviewWindow(monitor) == nullptr)
        return 1;
    // Closing the stand takes the preview along, which posts the quit message.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
