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

int HeldInputEvent(HeldInput* held, uint32_t message, uint32_t key)
{
    bool running = held->endingKey < 0 && !held->ended;
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
        if (!running && int32_t(key) == held->endingKey)
            held->endingReleased = true;
        return taken ? HELD_SWALLOWED : HELD_PASSES;
    }
    if (!running)
        return int32_t(key) == held->endingKey ? HELD_SWALLOWED : HELD_PASSES;
    // Windows repeats a key held down: a key held since before the show
    // repeats, and its repeats are no press of the user's at the show.
    if (*state == KEY_DOWN_BEFORE)
        return HELD_SWALLOWED;
    *state = KEY_TAKEN;
    if (!MessageEndsShow(message))
        return HELD_SWALLOWED;
    held->endingKey = int32_t(key);
    return HELD_ENDS_SHOW;
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

void EndHeldInput(HeldInput* held)
{
    held->ended = true;
}

bool HeldInputDone(const HeldInput& held)
{
    return held.endingKey >= 0 ? held.endingReleased : held.ended;
}
