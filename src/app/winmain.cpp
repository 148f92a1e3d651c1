// Start-up and the main message loop.
#include <windows.h>

#include "../base/dpi.h"
#include "../base/globals.h"
#include "../base/settings.h"
#include "park.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int showCommand)
{
    // Before any window: Windows then tells every size in real pixels.
    BecomeDpiAware();
    instanceHandle = instance;
    WCHAR wideDirectory[PATH_SIZE];
    char ansiDirectory[PATH_SIZE];
    ProgramDirectory(wideDirectory, ansiDirectory);
    LoadSettings(wideDirectory, ansiDirectory);

    if (previousInstance == nullptr && !RegisterParkClass())
        return 0;

    screenWidth = GetSystemMetrics(SM_CXSCREEN);
    screenHeight = GetSystemMetrics(SM_CYSCREEN);
    HWND park = CreateParkWindow();
    if (park == nullptr)
        return 0;
    parkWindow = park;
    ShowWindow(park, showCommand);
    UpdateWindow(park);

    // No TranslateMessage: the program has no use for WM_CHAR.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return static_cast<int>(message.wParam);
}
