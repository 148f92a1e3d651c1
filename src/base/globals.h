// The program's process-wide values. Only the GUI thread touches them.
#pragma once
#include <windows.h>

#include <cstdint>

#include "paths.h"

extern HINSTANCE instanceHandle;
extern HWND parkWindow;               // set once the park window exists
extern int32_t screenWidth, screenHeight;
// The settings file and the sound file, each in one form: wide where Windows
// has the wide file calls, ANSI (code page 932) on Windows 98/ME. The form
// not in use is empty; both empty when the path would not fit: no settings
// file, or no sound, then.
extern WCHAR settingsPathWide[PATH_SIZE];
extern WCHAR soundPathWide[PATH_SIZE];
extern char settingsPath[PATH_SIZE];
extern char soundPath[PATH_SIZE];
extern char valueBuffer[PATH_SIZE];   // one settings value on its way from or to the file
extern int32_t alwaysOnTop;           // 1: the park window stays above other windows
extern int32_t waitLimit;             // ticks of the wait timer before a timed show
extern int32_t Speed;                 // length of a frame of the show, in 3600ths of a second
extern int32_t tickCounter;
extern int32_t showRunning;           // 1 while a timed show runs
extern int32_t showOverFullScreen;    // 1: a timed show starts even over a full-screen program
extern int32_t showMonitors;          // the program's show: 0 the primary monitor, 1 each monitor, 2 one across all
extern int16_t showMode;
extern int32_t BowlNo_1, BowlNo_2;    // pair codes of Double mode's left and right balls
extern int32_t pairAccepted;          // 1 when the picture pair dialog ended with OK
extern int32_t settingsReadOnly;      // 1: nothing is written to the settings file (Hoplette.scr sets it)
