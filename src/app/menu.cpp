// Placeholder until the popup menu and its commands are built.
#include "menu.h"

void OpenParkMenu(HWND, LPARAM) {}
void SetMenuChecks(HMENU) {}
void OnParkCommand(HWND, int) {}
