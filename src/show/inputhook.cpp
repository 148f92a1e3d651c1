#include "inputhook.h"

#include <cstdint>

#include "../base/globals.h"
#include "heldinput.h"

// The hooks live on a thread of their own that does nothing else. Windows
// calls a low-level hook through the queue of the thread that put it in and
// removes it, without a word, when that thread keeps it waiting
// (LowLevelHooksTimeout); the show's thread may wait on a sound driver, a
// network folder or a display change.
static HANDLE hookThread;
static DWORD hookThreadId, showThreadId;
static HANDLE hooksReady;
static bool hooksIn;         // written by the hook thread before hooksReady
static bool heldPressEnded;  // the show's thread has had the hook thread's word
static HeldInput held;       // the hook thread's alone once it runs

// The hook thread's word to the show's thread, and the show's to it.
constexpr UINT HELD_PRESS_ENDS_SHOW = WM_APP + 0x48;
constexpr UINT SHOW_HAS_ENDED = WM_APP + 0x49;
constexpr UINT SHOW_HAS_KEYBOARD = WM_APP + 0x4A;

static void KeysDownNow(bool down[KEY_CODES])
{
    down[0] = false;
    for (int code = 1; code < KEY_CODES; ++code)
        down[code] = (GetAsyncKeyState(code) & 0x8000) != 0;
}

// Only a table is looked at here, and the show told by a posted message.
static bool HeldEventGoesNowhere(uint32_t message, uint32_t key)
{
    int what = HeldInputEvent(&held, message, key);
    if (what == HELD_ENDS_SHOW)
        PostThreadMessageA(showThreadId, HELD_PRESS_ENDS_SHOW, 0, 0);
    return what != HELD_PASSES;
}

static LRESULT CALLBACK HoldKeyboard(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (HeldEventGoesNowhere(static_cast<uint32_t>(wParam), key->vkCode))
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

static LRESULT CALLBACK HoldMouse(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const MSLLHOOKSTRUCT* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        uint32_t message = static_cast<uint32_t>(wParam);
        if (HeldEventGoesNowhere(message, MouseMessageKey(message, HIWORD(mouse->mouseData))))
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Serves the hooks until the show has ended and what it took has been
// released, or a second after the end: held longer, a key's repeats and
// release go to whichever program Windows gives them.
static DWORD WINAPI ServeHooks(LPVOID)
{
    MSG message;
    // A queue first, so that the show's word can be posted to it.
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    HHOOK keyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, HoldKeyboard, instanceHandle, 0);
    HHOOK mouseHook = SetWindowsHookExA(WH_MOUSE_LL, HoldMouse, instanceHandle, 0);
    hooksIn = keyboardHook != nullptr || mouseHook != nullptr;
    SetEvent(hooksReady);
    bool showEnded = false;
    DWORD endedAt = 0;
    while (hooksIn) {
        DWORD wait = INFINITE;
        if (showEnded) {
            DWORD waited = GetTickCount() - endedAt;
            if (waited >= 1000 || HeldInputDone(held))
                break;
            wait = 1000 - waited;
        }
        // The hooks are called as sent messages, inside these calls.
        MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, 0);
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == SHOW_HAS_KEYBOARD && !showEnded) {
                // Read here, between the hooks' calls, so that no event slips between the look and its use.
                bool down[KEY_CODES];
                KeysDownNow(down);
                RecheckKeysDown(&held, down);
            }
            if (message.message == SHOW_HAS_ENDED && !showEnded) {
                showEnded = true;
                endedAt = GetTickCount();
                EndHeldInput(&held);
            }
        }
    }
    if (keyboardHook != nullptr)
        UnhookWindowsHookEx(keyboardHook);
    if (mouseHook != nullptr)
        UnhookWindowsHookEx(mouseHook);
    return 0;
}

bool StartHoldingInput()
{
    bool down[KEY_CODES];
    KeysDownNow(down);
    held = StartHeldInput(down);
    showThreadId = GetCurrentThreadId();
    heldPressEnded = false;
    hooksIn = false;
    hooksReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (hooksReady == nullptr)
        return false;
    hookThread = CreateThread(nullptr, 0, ServeHooks, nullptr, 0, &hookThreadId);
    if (hookThread != nullptr)
        WaitForSingleObject(hooksReady, INFINITE);
    CloseHandle(hooksReady);
    hooksReady = nullptr;
    if (hookThread != nullptr && !hooksIn) {
        // Windows 98/ME have no such hooks: the thread has ended already.
        WaitForSingleObject(hookThread, INFINITE);
        CloseHandle(hookThread);
        hookThread = nullptr;
    }
    return hookThread != nullptr;
}

void ShowHasKeyboard()
{
    if (hookThread != nullptr)
        PostThreadMessageA(hookThreadId, SHOW_HAS_KEYBOARD, 0, 0);
}

bool HeldPressEndsShow()
{
    MSG message;
    if (!heldPressEnded
        && PeekMessageA(&message, nullptr, HELD_PRESS_ENDS_SHOW, HELD_PRESS_ENDS_SHOW, PM_REMOVE))
        heldPressEnded = true;
    return heldPressEnded;
}

void StopHoldingInput()
{
    if (hookThread == nullptr)
        return;
    PostThreadMessageA(hookThreadId, SHOW_HAS_ENDED, 0, 0);
    // It lets go within a second; other programs' sent messages are answered meanwhile.
    MSG message;
    while (MsgWaitForMultipleObjectsEx(1, &hookThread, 2000, QS_SENDMESSAGE, 0) == WAIT_OBJECT_0 + 1)
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    CloseHandle(hookThread);
    hookThread = nullptr;
    // A press the hooks took as the show was ending by other input.
    while (PeekMessageA(&message, nullptr, HELD_PRESS_ENDS_SHOW, HELD_PRESS_ENDS_SHOW, PM_REMOVE)) {
    }
    heldPressEnded = false;
}
