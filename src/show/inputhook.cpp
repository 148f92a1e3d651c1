#include "inputhook.h"

#include <cstdint>

#include "../base/globals.h"
#include "heldinput.h"

static HHOOK keyboardHook, mouseHook;
static HeldInput held;

// Windows removes a low-level hook that keeps it waiting (LowLevelHooksTimeout):
// these only look at a table.
static LRESULT CALLBACK HoldKeyboard(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (HeldInputEvent(&held, static_cast<uint32_t>(wParam), key->vkCode) != HELD_PASSES)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

static LRESULT CALLBACK HoldMouse(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const MSLLHOOKSTRUCT* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        uint32_t message = static_cast<uint32_t>(wParam);
        if (HeldInputEvent(&held, message, MouseMessageKey(message, HIWORD(mouse->mouseData))) != HELD_PASSES)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool StartHoldingInput()
{
    bool down[KEY_CODES] = {};
    for (int code = 1; code < KEY_CODES; ++code)
        down[code] = (GetAsyncKeyState(code) & 0x8000) != 0;
    held = StartHeldInput(down);
    keyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, HoldKeyboard, instanceHandle, 0);
    mouseHook = SetWindowsHookExA(WH_MOUSE_LL, HoldMouse, instanceHandle, 0);
    return keyboardHook != nullptr || mouseHook != nullptr;
}

bool HeldPressEndsShow()
{
    return held.endingKey >= 0;
}

void StopHoldingInput()
{
    if (keyboardHook == nullptr && mouseHook == nullptr)
        return;
    EndHeldInput(&held);
    // Held longer than a second, the keys the show took have their repeats
    // and releases go to whichever program Windows gives them.
    DWORD startedAt = GetTickCount();
    while (!HeldInputDone(held)) {
        DWORD waited = GetTickCount() - startedAt;
        if (waited >= 1000)
            break;
        // The hooks are called as sent messages; nothing posted is taken.
        MsgWaitForMultipleObjectsEx(0, nullptr, 1000 - waited, QS_SENDMESSAGE, 0);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    if (keyboardHook != nullptr)
        UnhookWindowsHookEx(keyboardHook);
    if (mouseHook != nullptr)
        UnhookWindowsHookEx(mouseHook);
    keyboardHook = mouseHook = nullptr;
}
