// The "BOWLSELECT" dialog: one column of radios for each of Double mode's two balls.
#include "dialogs.h"

#include "../base/globals.h"
#include "../base/numbers.h"
#include "../base/settings.h"
#include "../catalogue/catalogue.h"
#include "../resources/resource.h"

void MarkColumn(HWND dialog, int firstId, int lastId, int32_t checkedId)
{
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(dialog, id, id == checkedId ? BST_CHECKED : BST_UNCHECKED);
}

// A column's mark goes by the id computed from its pair code, so a code
// outside the column's range checks the control of that id, if any: a
// BowlNo_2 of 10000..10007 checks a radio under "Pattern 1" too, while one of
// BowlNo_1 10020..10027 checked under "Pattern 2" is cleared by its marks.
static void MarkPairColumn(HWND dialog, int firstId, int lastId, int32_t checkedId)
{
    MarkColumn(dialog, firstId, lastId, checkedId);
    if (checkedId < firstId || checkedId > lastId)
        CheckDlgButton(dialog, checkedId, BST_CHECKED);
}

static int32_t LoadPairCode(const char* key)
{
    ReadSetting(key, valueBuffer, sizeof valueBuffer);
    return ParseSettingNumber(valueBuffer);
}

static void LoadPairCodes(HWND dialog)
{
    BowlNo_1 = LoadPairCode("BowlNo_1");
    BowlNo_2 = LoadPairCode("BowlNo_2");
    MarkPairColumn(dialog, IDC_PATTERN1_FIRST, IDC_PATTERN1_LAST, PairCodeRadioId(BowlNo_1, PATTERN_1));
    MarkPairColumn(dialog, IDC_PATTERN2_FIRST, IDC_PATTERN2_LAST, PairCodeRadioId(BowlNo_2, PATTERN_2));
    pairAccepted = 0;
}

void ChoosePairRadio(HWND dialog, int id)
{
    if (id >= IDC_PATTERN1_FIRST && id <= IDC_PATTERN1_LAST) {
        MarkColumn(dialog, IDC_PATTERN1_FIRST, IDC_PATTERN1_LAST, id);
        BowlNo_1 = RadioIdPairCode(id, PATTERN_1);
    } else if (id >= IDC_PATTERN2_FIRST && id <= IDC_PATTERN2_LAST) {
        MarkColumn(dialog, IDC_PATTERN2_FIRST, IDC_PATTERN2_LAST, id);
        BowlNo_2 = RadioIdPairCode(id, PATTERN_2);
    }
}

static void AcceptPairCodes(HWND dialog)
{
    WriteSettingNumber("BowlNo_1", BowlNo_1);
    WriteSettingNumber("BowlNo_2", BowlNo_2);
    pairAccepted = 1;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK BowlSelectDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        LoadPairCodes(dialog);
        return TRUE;
    case WM_COMMAND:
        // Only the id counts: a double-click on a radio acts as a click.
        switch (LOWORD(wParam)) {
        case IDOK:
            AcceptPairCodes(dialog);
            return TRUE;
        case IDCANCEL:
            pairAccepted = 0;
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            ChoosePairRadio(dialog, LOWORD(wParam));
            return 0;
        }
    default:
        return 0;
    }
}
