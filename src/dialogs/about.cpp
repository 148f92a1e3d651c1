// The About box: one picture on an owner-drawn button; a click on it closes the box.
#include "dialogs.h"

#include "../base/globals.h"
#include "../resources/resource.h"

// "The bitmap cannot be made", in code page 932.
static const char BITMAP_FAILED_TEXT[] = "ﾋﾞｯﾄﾏｯﾌﾟが作成できません。";

INT_PTR OpenAboutBox(HWND owner)
{
    return DialogBoxParamA(instanceHandle, "AboutDlg", owner, AboutDlgProc, 0);
}

BOOL DrawBitmapItem(const DRAWITEMSTRUCT* item, const char* bitmapName, BOOL stretch)
{
    HDC dc = item->hDC;
    if ((GetDeviceCaps(dc, RASTERCAPS) & RC_BITBLT) == 0)
        return FALSE;

    HBITMAP bitmap = LoadBitmapA(instanceHandle, bitmapName);
    if (bitmap == nullptr) {
        // The message belongs to the park window, not to the dialog being painted.
        MessageBoxA(parkWindow, BITMAP_FAILED_TEXT, "", MB_OK);
        return FALSE;
    }
    BITMAP description;
    if (GetObjectA(bitmap, sizeof description, &description) == 0) {
        DeleteObject(bitmap);
        return FALSE;
    }
    HDC memory = CreateCompatibleDC(dc);
    if (memory == nullptr) {
        DeleteObject(bitmap);
        return FALSE;
    }
    if (SelectObject(memory, bitmap) == nullptr) {
        DeleteDC(memory);
        DeleteObject(bitmap);
        return FALSE;
    }

    const RECT& box = item->rcItem;
    if (stretch)
        StretchBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top,
                   memory, 0, 0, description.bmWidth, description.bmHeight, SRCCOPY);
    else
        BitBlt(dc, box.left, box.top, description.bmWidth, description.bmHeight,
               memory, 0, 0, SRCCOPY);

    // Deleting the memory DC lets go of the bitmap, which can then be deleted.
    DeleteDC(memory);
    DeleteObject(bitmap);
    return TRUE;
}

// Only the whole-item action draws: pressing or focusing the button changes nothing.
static void DrawAboutItem(const DRAWITEMSTRUCT* item)
{
    if (item->CtlType == ODT_BUTTON && item->itemAction == ODA_DRAWENTIRE
        && item->CtlID == IDC_ABOUT_PICTURE)
        DrawBitmapItem(item, "parkdlg", TRUE);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
        DrawAboutItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return 0;
    case WM_COMMAND:
        // Escape (IDCANCEL) does not close the box; a click on the picture does.
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDC_ABOUT_PICTURE:
            EndDialog(dialog, 1);
            return 0;
        default:
            return 0;
        }
    case WM_INITDIALOG:
        // 0: no default keyboard focus.
        return 0;
    default:
        return 0;
    }
}
