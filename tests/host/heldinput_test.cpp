// What the show's hooks do with the keys and buttons of the desktop.
#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "show/heldinput.h"

namespace {
constexpr uint32_t KD = 0x100, KU = 0x101, SKD = 0x104, SKU = 0x105, LD = 0x201, LU = 0x202, RD = 0x204,
                   MD = 0x207, MU = 0x208, XD = 0x20B, XU = 0x20C, WHEEL = 0x20A, MOVE = 0x200;
constexpr uint32_t ENDED = UINT32_MAX; // the show ends another way (a touch, its own queue)
constexpr uint32_t ALL_UP = UINT32_MAX - 1; // the second look finds no key down
constexpr int P = HELD_PASSES, S = HELD_SWALLOWED, E = HELD_ENDS_SHOW;
struct Event { uint32_t message, key; int verdict; };
} // namespace

// Each row: a key held since before the show (0 for none), then events in
// order with what becomes of each, and whether the hooks are done at the end.
TEST(HeldInput, PressesEndTheShowAndNothingOfItsGoesThrough)
{
    const struct { uint32_t heldBefore; std::vector<Event> events; bool done; } rows[] = {
        // A key press ends it; its repeats and release go nowhere; then typing goes on.
        {0, {{KD, 'A', E}, {KD, 'A', S}, {KU, 'A', S}, {KD, 'B', P}, {KU, 'B', P}}, true},
        // A click, with moves: the pointer stands still during the show, moves after it.
        {0, {{MOVE, 0, S}, {LD, 1, E}, {MOVE, 0, P}, {LU, 1, S}}, true},
        {0, {{RD, 2, E}}, false},
        // The middle and side buttons, the wheel and system keys are taken and end nothing.
        {0, {{MD, 4, S}, {MU, 4, S}, {XD, 5, S}, {XU, 5, S}, {WHEEL, 0, S}, {KD, 'Z', E}, {KU, 'Z', S}}, true},
        // Alt+Tab: Alt and Tab go nowhere, so no switch; the Windows key is a key press.
        {0, {{SKD, 0x12, S}, {SKD, 0x09, S}, {SKU, 0x09, S}, {KU, 0x12, S}, {KD, 0x5B, E}, {KU, 0x5B, S}}, true},
        // A key down since before the show: its repeats go nowhere and end
        // nothing, its release goes through so nothing stays stuck.
        {0x10, {{KD, 0x10, S}, {KU, 0x10, P}, {KD, 0x10, E}, {KU, 0x10, S}}, true},
        // A left click while the right press that ended the show is held belongs to it.
        {1, {{LU, 1, P}, {RD, 2, E}, {LD, 1, S}, {LU, 1, S}}, false},
        // After the end: a key taken during the show is released nowhere, the wheel scrolls again.
        {0, {{MD, 4, S}, {KD, 'A', E}, {MU, 4, S}, {WHEEL, 0, P}, {KU, 'A', S}}, true},
        // Alt pressed during the show and held through the click that ends it:
        // its repeats and its release go nowhere, so Windows never sees Alt down.
        {0, {{SKD, 0x12, S}, {LD, 1, E}, {LU, 1, S}, {SKD, 0x12, S}, {SKU, 0x12, S}, {KD, 'B', P}}, true},
        // F10 pressed and held, a right click ends the show, F10 still held after it.
        {0, {{SKD, 0x79, S}, {RD, 2, E}, {0x205, 2, S}, {SKD, 0x79, S}, {SKD, 0x79, S}, {SKU, 0x79, S}}, true},
        // Ctrl+S: Ctrl ends the show, S belongs to the same chord and types nothing.
        {0, {{KD, 0x11, E}, {KD, 'S', S}, {KU, 'S', S}, {KU, 0x11, S}, {KD, 'S', P}}, true},
        // Win+E: neither reaches Windows, so no Start menu and no Explorer.
        {0, {{KD, 0x5B, E}, {KD, 'E', S}, {KU, 0x5B, S}, {KD, 'E', S}}, false},
        // A key held since before the show repeats into the chord: it goes nowhere,
        // but its release goes through, for Windows saw its press.
        {0x10, {{KD, 'A', E}, {KD, 0x10, S}, {KU, 0x10, P}, {KU, 'A', S}, {KD, 0x10, P}}, true},
        // A show ended by a touch with Alt held: Alt stays taken until its release.
        {0, {{SKD, 0x12, S}, {ENDED, 0, P}, {SKD, 0x12, S}, {KD, 'T', S}, {SKU, 0x12, S}, {KU, 'T', S}}, true},
        {0, {{ENDED, 0, P}, {SKD, 0x12, P}}, true},
        // Space read as down at the start (Wine's, after a show that took its
        // press and release) and up at the second look: its press ends the
        // show; Alt, taken before that look, stays taken.
        {' ', {{SKD, 0x12, S}, {ALL_UP, 0, P}, {KD, ' ', E}, {KU, 0x12, S}, {KU, ' ', S}}, true},
        // Garbage: key codes out of range and other messages pass, and change nothing.
        {0, {{KD, 256, P}, {KD, 0xFFFFFFFF, P}, {0x102, 'A', P}, {0, 0, P}, {KU, 'C', P}}, false},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        bool down[KEY_CODES] = {};
        if (rows[i].heldBefore != 0)
            down[rows[i].heldBefore] = true;
        HeldInput held = StartHeldInput(down);
        for (size_t e = 0; e < rows[i].events.size(); ++e) {
            const Event& event = rows[i].events[e];
            if (event.message == ENDED) {
                EndHeldInput(&held);
                continue;
            }
            if (event.message == ALL_UP) {
                const bool none[KEY_CODES] = {};
                RecheckKeysDown(&held, none);
                continue;
            }
            EXPECT_EQ(HeldInputEvent(&held, event.message, event.key), event.verdict) << "row " << i << " event " << e;
        }
        EXPECT_EQ(HeldInputDone(held), rows[i].done) << "row " << i;
    }
    const struct { uint32_t message, xButton, key; } buttons[] = {
        {LD, 0, 1}, {LU, 0, 1}, {RD, 0, 2}, {0x205, 0, 2}, {MD, 0, 4}, {MU, 0, 4}, {XD, 1, 5}, {XU, 2, 6},
        {MOVE, 0, 0}, {WHEEL, 0, 0}};
    for (size_t i = 0; i < std::size(buttons); ++i)
        EXPECT_EQ(MouseMessageKey(buttons[i].message, buttons[i].xButton), buttons[i].key) << "button row " << i;
}
