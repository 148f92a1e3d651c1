// Hoplette.scr: the show, the preview and the settings behind Windows' screen
// saver command lines. Its WinMain is in savermain.cpp.
#pragma once
#include <windows.h>

// Reads the settings file in the directory (given as ProgramDirectory gives
// it) as the program reads it at start-up, and the saver's show (SaverShow)
// into showMode. Writes nothing while settingsReadOnly is 1, as the saver
// sets it first.
void LoadSaverSettings(const WCHAR* wideDirectory, const char* ansiDirectory);

// /s: the show, full screen and topmost, other monitors covered black. Ends
// at once when another one is running.
void RunSaverShow();

// /p: the preview inside parent, until parent goes away.
void RunSaverPreview(HWND parent);

// /c: the settings dialog, owned by owner when that is a window.
void OpenSaverSettings(HWND owner);
