// Hoplette.scr's settings dialog "SAVERSETUP": its show (Double mode or one
// picture), Double mode's two pictures, the speed and the monitors the show
// runs on. It shows what the saver read at start-up; OK writes all five
// keys, Cancel writes nothing.
#include "../dialogs/dialogs.h"

#include <algorithm>

#include "../base/globals.h"
#include "../base/numbers.h"
#include "../base/settings.h"
#include "../catalogue/catalogue.h"
#include "../resources/resource.h"
#include "../show/frame.h"
#include "saver.h"
#include "saverrules.h"

static void ShowSaverSettings(HWND dialog)
{
    MarkColumn(dialog, SHOW_EARTH, SHOW_SPHERE, showMode);
    MarkColumn(dialog, IDC_PATTERN1_FIRST, IDC_PATTERN1_LAST, PairCodeRadioId(BowlNo_1, PATTERN_1));
    MarkColumn(dialog, IDC_PATTERN2_FIRST, IDC_PATTERN2_LAST, PairCodeRadioId(BowlNo_2, PATTERN_2));
    // The speed the show runs at, in five characters: a larger stored number
    // runs as the slowest speed, a smaller one as fast as any negative number.
    char text[NUMBER_TEXT_SIZE];
    FormatSettingNumber(std::clamp(Speed, int32_t{-9999}, SLOWEST_SPEED), text);
    // The box holds what OK reads, as in SCRNSAVER.
    SendDlgItemMessageA(dialog, IDC_SAVER_SPEED, EM_LIMITTEXT, NUMBER_BOX_TEXT_SIZE - 1, 0);
    SetDlgItemTextA(dialog, IDC_SAVER_SPEED, text);
    MarkColumn(dialog, IDC_SAVER_PRIMARY, IDC_SAVER_ACROSS, IDC_SAVER_PRIMARY + saverMonitors);
}

static void ChooseRadio(HWND dialog, int id)
{
    if (id >= SHOW_EARTH && id <= SHOW_SPHERE) {
        MarkColumn(dialog, SHOW_EARTH, SHOW_SPHERE, id);
        showMode = static_cast<int16_t>(id);
        return;
    }
    if (id >= IDC_SAVER_PRIMARY && id <= IDC_SAVER_ACROSS) {
        MarkColumn(dialog, IDC_SAVER_PRIMARY, IDC_SAVER_ACROSS, id);
        saverMonitors = id - IDC_SAVER_PRIMARY;
        return;
    }
    ChoosePairRadio(dialog, id);
}

// The speed is written as typed, as SCRNSAVER writes it.
static void AcceptSaverSettings(HWND dialog)
{
    char text[NUMBER_BOX_TEXT_SIZE];
    GetDlgItemTextA(dialog, IDC_SAVER_SPEED, text, sizeof text);
    Speed = ParseSettingNumber(text);
    WriteSetting("Speed", text);
    WriteSettingNumber("BowlNo_1", BowlNo_1);
    WriteSettingNumber("BowlNo_2", BowlNo_2);
    WriteSettingNumber(SAVER_SHOW_KEY, showMode);
    WriteSettingNumber(SAVER_MONITORS_KEY, saverMonitors);
}

INT_PTR CALLBACK SaverSetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowSaverSettings(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            AcceptSaverSettings(dialog);
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            ChooseRadio(dialog, LOWORD(wParam));
            return 0;
        }
    default:
        return 0;
    }
}
