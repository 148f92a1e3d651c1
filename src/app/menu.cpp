// The park window's popup menu and its commands.
#include "menu.h"
#include "programshow.h"

#include <cstdint>

#include "../dialogs/dialogs.h"
#include "../resources/resource.h"
#include "../base/globals.h"
#include "../base/numbers.h"
#include "../base/settings.h"

// "The dialog box cannot be opened", in code page 932.
static const char ABOUT_FAILED_TEXT[] = "ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽが開けません。";

HMENU popupMenu;

// The nine picture items; their ids are the show modes.
static const int PICTURE_ITEMS[] = {
    IDM_EARTH, IDM_EARTHAFRICA, IDM_JUPITER, IDM_MARS, IDM_VENUS,
    IDM_SATURN, IDM_SUN, IDM_SPHERE, IDM_DOUBLE,
};

void OpenParkMenu(HWND window, LPARAM clickPoint)
{
    RECT client;
    GetClientRect(window, &client);
    // Each coordinate as an unsigned 16-bit value: a point left of or above
    // the client area comes out far to the right or below, and so outside.
    POINT point = {LOWORD(clickPoint), HIWORD(clickPoint)};
    if (!PtInRect(&client, point))
        return;
    HMENU menu = GetSubMenu(popupMenu, 0);
    ClientToScreen(window, &point);
    // Without these two, Windows leaves the menu open after a click elsewhere
    // when the park window is not the foreground window.
    SetForegroundWindow(window);
    TrackPopupMenu(menu, 0, point.x, point.y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
}

// Runs for every menu that opens, the system menu too, which has none of these ids.
void SetMenuChecks(HMENU menu)
{
    for (int id : PICTURE_ITEMS)
        CheckMenuItem(menu, id, MF_BYCOMMAND | (showMode == id ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, IDM_TOPMOST, MF_BYCOMMAND | (alwaysOnTop == 1 ? MF_CHECKED : MF_UNCHECKED));
    // A radio mark; on a menu without the ids it changes nothing.
    CheckMenuRadioItem(menu, IDM_MONITORS_PRIMARY, IDM_MONITORS_ACROSS, IDM_MONITORS_PRIMARY + showMonitors,
                       MF_BYCOMMAND);
}

static void ChooseShowMode(HWND window, int id)
{
    // A show starts even when the item already carried the check mark.
    showMode = static_cast<int16_t>(id);
    RunProgramShow(window);
}

// Kept in the settings file for the next start, and shown at once as the pictures are.
static void ChooseMonitors(HWND window, int id)
{
    showMonitors = id - IDM_MONITORS_PRIMARY;
    WriteSettingNumber(SHOW_MONITORS_KEY, showMonitors);
    RunProgramShow(window);
}

static void SelectPictures(HWND window)
{
    // Only this opening's OK counts: a dialog that cannot open leaves the flag at 0.
    pairAccepted = 0;
    DialogBoxParamA(instanceHandle, "BOWLSELECT", window, BowlSelectDlgProc, 0);
    if (pairAccepted != 0)
        RunProgramShow(window);
}

static void FlipTopMost(HWND window)
{
    alwaysOnTop ^= 1;
    SetWindowPos(window, alwaysOnTop == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

static void ShowAbout(HWND window)
{
    INT_PTR result = OpenAboutBox(window);
    if (result == 0 || result == -1)
        MessageBoxA(window, ABOUT_FAILED_TEXT, "", MB_OK);
}

void OnParkCommand(HWND window, int commandId)
{
    switch (commandId) {
    case IDM_EARTH:
    case IDM_EARTHAFRICA:
    case IDM_JUPITER:
    case IDM_MARS:
    case IDM_VENUS:
    case IDM_SATURN:
    case IDM_SUN:
    case IDM_DOUBLE:
    case IDM_SPHERE:
        ChooseShowMode(window, commandId);
        return;
    case IDM_TESTBOURNCE:
        RunProgramShow(window);
        return;
    case IDM_SETTIME:
        DialogBoxParamA(instanceHandle, "SCRNSAVER", window, ScrnSaverDlgProc, 0);
        return;
    case IDM_IMAGESELECT:
        SelectPictures(window);
        return;
    case IDM_TOPMOST:
        FlipTopMost(window);
        return;
    case IDM_MONITORS_PRIMARY:
    case IDM_MONITORS_EACH:
    case IDM_MONITORS_ACROSS:
        ChooseMonitors(window, commandId);
        return;
    case IDM_ABOUT:
        ShowAbout(window);
        return;
    case IDM_EXIT:
        // Ends the program the way the close box does.
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    default:
        return;
    }
}
