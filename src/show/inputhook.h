// The program's show takes the keys and buttons of the whole desktop for its
// length, through low-level hooks on a thread of their own, so that it ends
// on the first press and lets nothing through to the program the user works
// in, even where Windows keeps the foreground with that program.
#pragma once
#include <windows.h>

// Installs the hooks; false where Windows has none (98/ME) or refuses them:
// the show then sees only what its own queue gets.
bool StartHoldingInput();

// The show's windows are open and have the keyboard where Windows gives it
// to them: the keys down before the show are looked at again.
void ShowHasKeyboard();

// Whether a press that the hooks took has ended the show: the hooks' thread
// tells it by a message posted to the show's thread, taken from its queue here.
bool HeldPressEndsShow();

// Lets the hooks go once every key and button the show took (the press that
// ended it among them) has been released, whose repeats and releases would
// otherwise reach another program, and at the latest a second after the end;
// returns when they are gone.
void StopHoldingInput();
