#include "heldinput.h"

#include <cstdint>

#include "../base/messages.h"
#include "frame.h"

HeldInput StartHeldInput(const bool downBefore[KEY_CODES])
{
    HeldInput held = {};
    for (int32_t code = 0; code < KEY_CODES; ++code)
        held.keys[code] = downBefore[code] ? KEY_DOWN_BEFORE : KEY_UP;
    held.endingKey = -1;
    return held;
}

void RecheckKeysDown(HeldInput* held, const bool downNow[KEY_CODES])
{
    for (int32_t code = 0; code < KEY_CODES; ++code)
        if (held->keys[code] != KEY_TAKEN)
            held->keys[code] = downNow[code] ? KEY_DOWN_BEFORE : KEY_UP;
}

static bool IsPress(uint32_t message)
{
    return message == MESSAGE_KEYDOWN || message == MESSAGE_SYSKEYDOWN || message == MESSAGE_LBUTTONDOWN
        || message == MESSAGE_RBUTTONDOWN || message == MESSAGE_MBUTTONDOWN || message == MESSAGE_XBUTTONDOWN;
}

static bool IsRelease(uint32_t message)
{
    return message == MESSAGE_KEYUP || message == MESSAGE_SYSKEYUP || message == MESSAGE_LBUTTONUP
        || message == MESSAGE_RBUTTONUP || message == MESSAGE_MBUTTONUP || message == MESSAGE_XBUTTONUP;
}

static bool AnyKeyTaken(const HeldInput& held)
{
    for (int32_t code = 0; code < KEY_CODES; ++code)
        if (held.keys[code] == KEY_TAKEN)
            return true;
    return false;
}

int HeldInputEvent(HeldInput* held, uint32_t message, uint32_t key)
{
    bool running = !held->ended;
    // A move would show the pointer over a show that Windows keeps from the
    // foreground: there the show holds no capture, and its windows' class
    // sets the arrow as the pointer passes. It stands still, hidden, instead.
    if (message == MESSAGE_MOUSEWHEEL || message == MESSAGE_MOUSEHWHEEL || message == MESSAGE_MOUSEMOVE)
        return running ? HELD_SWALLOWED : HELD_PASSES;
    if (key >= uint32_t(KEY_CODES) || (!IsPress(message) && !IsRelease(message)))
        return HELD_PASSES;
    uint8_t* state = &held->keys[key];
    if (IsRelease(message)) {
        bool taken = *state == KEY_TAKEN;
        *state = KEY_UP;
        return taken ? HELD_SWALLOWED : HELD_PASSES;
    }
    if (!running) {
        // Windows saw no press of a taken key: a press with it still held
        // would reach the program in front without its modifier, or as a
        // chord the user never meant for it.
        if (!AnyKeyTaken(*held))
            return HELD_PASSES;
        // A key down since before the show keeps its state: Windows saw its
        // press, so its release must go through.
        if (*state == KEY_UP)
            *state = KEY_TAKEN;
        return HELD_SWALLOWED;
    }
    // Windows repeats a key held down: a key held since before the show
    // repeats, and its repeats are no press of the user's at the show.
    if (*state == KEY_DOWN_BEFORE)
        return HELD_SWALLOWED;
    *state = KEY_TAKEN;
    if (!MessageEndsShow(message, 0))
        return HELD_SWALLOWED;
    held->endingKey = int32_t(key);
    held->ended = true;
    return HELD_ENDS_SHOW;
}

void EndHeldInput(HeldInput* held)
{
    held->ended = true;
}

uint32_t MouseMessageKey(uint32_t message, uint32_t xButton)
{
    switch (message) {
    case MESSAGE_LBUTTONDOWN:
    case MESSAGE_LBUTTONUP:
        return 1;
    case MESSAGE_RBUTTONDOWN:
    case MESSAGE_RBUTTONUP:
        return 2;
    case MESSAGE_MBUTTONDOWN:
    case MESSAGE_MBUTTONUP:
        return 4;
    case MESSAGE_XBUTTONDOWN:
    case MESSAGE_XBUTTONUP:
        return xButton == 2 ? 6 : 5;
    default:
        return 0;
    }
}

bool HeldInputDone(const HeldInput& held)
{
    return held.ended && !AnyKeyTaken(held);
}
