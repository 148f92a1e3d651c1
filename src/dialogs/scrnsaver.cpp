// The "SCRNSAVER" dialog: the wait before a timed show, in minutes, and the show speed.
#include "dialogs.h"

#include "../base/globals.h"
#include "../base/numbers.h"
#include "../base/settings.h"
#include "../resources/resource.h"

static void LoadTimeSettings(HWND dialog)
{
    char text[NUMBER_BOX_TEXT_SIZE];
    ReadSetting("TimeInterval", text, sizeof text);
    SetDlgItemTextA(dialog, IDC_MINUTES, text);
    waitLimit = WaitLimitFromMinutes(ParseSettingNumber(text));
    ReadSetting("Speed", text, sizeof text);
    SetDlgItemTextA(dialog, IDC_SPEED, text);
    Speed = ParseSettingNumber(text);
}

// The boxes' texts are written back as typed, not as the numbers read from them.
static void AcceptTimeSettings(HWND dialog)
{
    char text[NUMBER_BOX_TEXT_SIZE];
    GetDlgItemTextA(dialog, IDC_MINUTES, text, sizeof text);
    waitLimit = WaitLimitFromMinutes(ParseSettingNumber(text));
    WriteSetting("TimeInterval", text);
    GetDlgItemTextA(dialog, IDC_SPEED, text, sizeof text);
    Speed = ParseSettingNumber(text);
    WriteSetting("Speed", text);
    // The wait for the next timed show starts again from here.
    tickCounter = 0;
}

INT_PTR CALLBACK ScrnSaverDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        // The ticks counted so far go on counting against the reloaded wait limit.
        LoadTimeSettings(dialog);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            AcceptTimeSettings(dialog);
            EndDialog(dialog, IDOK);
            return 0;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return 0;
        default:
            return 0;
        }
    default:
        return 0;
    }
}
