// What the program's show does with the keys and buttons of the whole
// desktop, which it takes through low-level hooks: Windows may keep the
// foreground (and with it the keyboard) with the program the user works in,
// and the show must still end on the first press and let nothing through.
#pragma once
#include <cstdint>

// What becomes of one event.
constexpr int HELD_PASSES = 0;    // goes on to whichever window Windows gives it
constexpr int HELD_SWALLOWED = 1; // goes nowhere
constexpr int HELD_ENDS_SHOW = 2; // goes nowhere, and ends the show

// A key's state, by virtual-key code (the buttons by theirs: 1 left, 2
// right, 4 middle, 5 and 6 the side buttons).
constexpr uint8_t KEY_UP = 0;
constexpr uint8_t KEY_DOWN_BEFORE = 1; // down since before the show: its release is not the show's
constexpr uint8_t KEY_TAKEN = 2;       // its press went nowhere, and so does its release
constexpr int32_t KEY_CODES = 256;

struct HeldInput {
    uint8_t keys[KEY_CODES];
    int32_t endingKey; // the key or button whose press the hooks took to end the show; -1 if none
    bool ended;        // the show has ended, by that press or any other way
};

// The start of a show: downBefore[code] for each key that is down now.
HeldInput StartHeldInput(const bool downBefore[KEY_CODES]);

// A second look at what was down before the show, once the show's windows
// have the keyboard: Wine brings its key state up to date only then (a key
// whose press and release an earlier show took reads as down until it does).
// The keys the show has taken keep their state.
void RecheckKeysDown(HeldInput* held, const bool downNow[KEY_CODES]);

// One event: a keyboard hook's message (WM_KEYDOWN ... WM_SYSKEYUP) with its
// virtual-key code, or a mouse hook's message with MouseMessageKey's code.
// While the show runs every press, release, move and wheel turn goes nowhere, but
// the release of a key that was down before it (whose repeats end nothing);
// a key press or a left or right press ends it. A press that went nowhere is
// taken: its repeats and its release go nowhere either, after the end too, so
// that Windows never sees one without the other. After the end, while a taken
// key is still held (the ending key among them), every other press goes nowhere
// too and is taken: it belongs to the same chord (Ctrl+S, Win+E, Alt+Tab).
int HeldInputEvent(HeldInput* held, uint32_t message, uint32_t key);

// The show has ended another way than by a press the hooks took (a press
// from its own queue, a touch).
void EndHeldInput(HeldInput* held);

// The key code of a mouse hook's button message (xButton: the upper word of
// its mouseData, 1 or 2 for the side buttons); 0 for moves and the wheel.
uint32_t MouseMessageKey(uint32_t message, uint32_t xButton);

// The show has ended and every press it took has been released: the hooks
// have nothing more to take.
bool HeldInputDone(const HeldInput& held);
