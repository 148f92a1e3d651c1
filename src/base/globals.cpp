#include "globals.h"

#include "../catalogue/catalogue.h"

HINSTANCE instanceHandle;
HWND parkWindow;
int32_t screenWidth, screenHeight;
WCHAR settingsPathWide[PATH_SIZE];
WCHAR soundPathWide[PATH_SIZE];
char settingsPath[PATH_SIZE];
char soundPath[PATH_SIZE];
char valueBuffer[PATH_SIZE];
int32_t alwaysOnTop = 1;
int32_t waitLimit = 1200;
int32_t Speed = 60;
int32_t tickCounter = 0;
int32_t showRunning = 0;
int32_t showOverFullScreen = 0;
int32_t showMonitors = 0;
int16_t showMode = INITIAL_SHOW_MODE;
int32_t BowlNo_1 = INITIAL_BOWLNO_1;
int32_t BowlNo_2 = INITIAL_BOWLNO_2;
int32_t pairAccepted = 0;
int32_t settingsReadOnly = 0;
