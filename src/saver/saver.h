// Hoplette.scr: the show, the preview and the settings behind Windows' screen
// saver command lines. Its WinMain is in savermain.cpp.
#pragma once
#include <windows.h>

#include <cstdint>

// SaverMonitors: a MONITORS_ choice of numbers.h, which monitors the saver's
// show runs on: the primary alone, each with a show of its own, or one field across them all.
extern int32_t saverMonitors;

// Reads the settings file in the directory (given as ProgramDirectory gives
// it) as the program reads it at start-up, the saver's show (SaverShow) into
// showMode and which monitors it runs on (SaverMonitors) into
// saverMonitors. Writes nothing while settingsReadOnly is 1, as the saver
// sets it first.
void LoadSaverSettings(const WCHAR* wideDirectory, const char* ansiDirectory);

// /s: the show, full screen and topmost, on every monitor or with the others
// covered black. Ends on input, when another program takes the foreground,
// on WM_CLOSE or SC_CLOSE to any of its windows, and on a display change; at
// once when another one is running.
void RunSaverShow();

// /p: the preview inside parent, until parent goes away.
void RunSaverPreview(HWND parent);

// /c: the settings dialog, owned by owner when that is a window.
void OpenSaverSettings(HWND owner);

// "SAVERSETUP", Hoplette.scr's settings: the show, Double mode's pictures, the
// speed and the monitors the show runs on, as read at start-up. OK writes them;
// Cancel writes nothing.
INT_PTR CALLBACK SaverSetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
