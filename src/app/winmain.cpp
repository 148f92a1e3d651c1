// Start-up and the main message loop.
#include <windows.h>

#include "globals.h"
#include "park.h"
#include "settings.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int showCommand)
{
    instanceHandle = instance;
    char directory[PATH_SIZE];
    ProgramDirectory(directory);
    LoadSettings(directory);

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
