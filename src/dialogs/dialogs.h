// The two settings dialogs and the About box.
#pragma once
#include <windows.h>

#include <cstdint>

// The text buffer of the dialogs' minutes and speed boxes: five characters
// and the terminating zero. Five keep every wait limit well inside 32 bits
// whatever the file or the boxes hold.
constexpr int NUMBER_BOX_TEXT_SIZE = 6;

// Plain radios: the dialog sets every mark. Checks checkedId among the radios
// firstId..lastId and clears the others; a value outside them checks none.
void MarkColumn(HWND dialog, int firstId, int lastId, int32_t checkedId);

// "SCRNSAVER": the wait in minutes and the show speed. Returns 0 for every
// message, so that no control has the keyboard focus when it opens.
INT_PTR CALLBACK ScrnSaverDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// "BOWLSELECT": the pictures of Double mode's two balls. A click takes effect
// at once; OK writes both codes and sets pairAccepted, Cancel clears it.
INT_PTR CALLBACK BowlSelectDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// A click on a radio of the "Pattern 1" or "Pattern 2" column: marks it and
// sets BowlNo_1 or BowlNo_2 at once (Cancel does not undo it). Other ids: nothing.
void ChoosePairRadio(HWND dialog, int id);

// Runs the About box owned by owner; DialogBoxParamA's result: 1 once it was
// closed, 0 or -1 when it could not be created.
INT_PTR OpenAboutBox(HWND owner);

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the named bitmap resource into an owner-drawn item's rectangle,
// stretched to it or at its own size. FALSE when nothing was drawn.
BOOL DrawBitmapItem(const DRAWITEMSTRUCT* item, const char* bitmapName, BOOL stretch);
