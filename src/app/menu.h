// The park window's popup menu and its commands.
#pragma once
#include <windows.h>

// The menu, loaded with the park window and destroyed with it.
extern HMENU popupMenu;

// Opens the popup menu at a click point given in client coordinates (lParam of a mouse message).
void OpenParkMenu(HWND window, LPARAM clickPoint);

// Puts the check marks on a menu that is about to open.
void SetMenuChecks(HMENU menu);

// Carries out a menu command.
void OnParkCommand(HWND window, int commandId);
