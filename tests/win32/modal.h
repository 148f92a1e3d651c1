// Acting on modal dialogs, message boxes and popup menus from inside their own
// loops: a thread timer runs one step per tick on the innermost open one, so a
// test never waits on a loop it cannot end. A watchdog thread ends a show that
// was not expected (a show dispatches nothing, so no timer could).
#pragma once
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <initializer_list>

#include "check.h"
#include "guicount.h"
#include "watchdog.h"

// A step gets the innermost open modal window: a popup menu or a dialog.
using ModalStep = void (*)(HWND modal);

constexpr int MAX_MODAL_STEPS = 16;
constexpr UINT MODAL_TICK = 10;          // ms between steps
constexpr int MODAL_PATIENCE = 400;      // ticks before a loop is ended by force

inline ModalStep modalSteps[MAX_MODAL_STEPS];
inline int modalStepCount, modalNextStep, modalIdleTicks;
inline UINT_PTR modalTimer;
inline bool modalForced;

inline bool IsClass(HWND window, const char* className)
{
    char name[64];
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, className) == 0;
}

struct ModalSearch {
    HWND menu;
    HWND dialog;
};

inline BOOL CALLBACK FindModalInThread(HWND window, LPARAM found)
{
    ModalSearch* search = reinterpret_cast<ModalSearch*>(found);
    if (!IsWindowVisible(window))
        return TRUE;
    // Windows come in z-order: the first one found is the newest.
    if (IsClass(window, "#32768") && search->menu == nullptr)
        search->menu = window;
    // A dialog's own modal children disable it; a message box of another owner does not.
    else if (IsClass(window, "#32770") && IsWindowEnabled(window) && search->dialog == nullptr)
        search->dialog = window;
    return TRUE;
}

// The innermost visible popup menu, else dialog, of this thread; nullptr when none is open.
inline HWND FindModalWindow()
{
    ModalSearch search = {};
    EnumThreadWindows(GetCurrentThreadId(), FindModalInThread, reinterpret_cast<LPARAM>(&search));
    return search.menu != nullptr ? search.menu : search.dialog;
}

inline VOID CALLBACK RunModalStep(HWND, UINT, UINT_PTR, DWORD)
{
    HWND modal = FindModalWindow();
    if (modal != nullptr && modalNextStep < modalStepCount) {
        modalIdleTicks = 0;
        modalSteps[modalNextStep++](modal);
        return;
    }
    if (++modalIdleTicks < MODAL_PATIENCE || modal == nullptr)
        return;
    // The steps are done (or none came) and the loop is still open: end it so the test goes on.
    modalForced = true;
    modalIdleTicks = 0;
    if (IsClass(modal, "#32768"))
        EndMenu();
    else
        EndDialog(modal, -2);
}

// Called from a step: the same step runs again at the next tick.
inline void RepeatThisStep()
{
    --modalNextStep;
}

// Arms the steps for the next modal loop of this thread.
inline void StartModalSteps(std::initializer_list<ModalStep> steps)
{
    modalStepCount = 0;
    for (ModalStep step : steps)
        if (modalStepCount < MAX_MODAL_STEPS)
            modalSteps[modalStepCount++] = step;
    modalNextStep = 0;
    modalIdleTicks = 0;
    modalForced = false;
    modalTimer = SetTimer(nullptr, 0, MODAL_TICK, RunModalStep);
}

// Disarms the steps; true when every step ran and nothing had to be ended by force.
inline bool StopModalSteps()
{
    KillTimer(nullptr, modalTimer);
    modalTimer = 0;
    MSG stale;
    while (PeekMessageA(&stale, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    return modalNextStep == modalStepCount && !modalForced;
}

// --- Message boxes ---------------------------------------------------------

struct SeenMessageBox {
    wchar_t text[128];
    wchar_t caption[64];
    HWND owner;
};
inline SeenMessageBox seenBoxes[8];
inline int seenBoxCount; // all boxes answered; the first eight are kept

inline BOOL CALLBACK FindBoxText(HWND child, LPARAM box)
{
    wchar_t text[128];
    GetWindowTextW(child, text, 128);
    // The text is the one static with more than a button's caption.
    if (IsClass(child, "Static") && text[0] != L'\0')
        lstrcpynW(reinterpret_cast<SeenMessageBox*>(box)->text, text, 128);
    return TRUE;
}

// A step: remembers what the message box says and who owns it, then answers OK.
inline void RecordMessageBoxAndClose(HWND box)
{
    if (seenBoxCount < 8) {
        SeenMessageBox& seen = seenBoxes[seenBoxCount];
        seen = {};
        GetWindowTextW(box, seen.caption, 64);
        seen.owner = GetWindow(box, GW_OWNER);
        EnumChildWindows(box, FindBoxText, reinterpret_cast<LPARAM>(&seen));
    }
    ++seenBoxCount;
    SendMessageA(box, WM_COMMAND, IDOK, 0);
}

// --- Shows -----------------------------------------------------------------

// A key press waiting in the thread's queue: the next show removes it and ends.
inline void QueueKeyPressForShow()
{
    PostThreadMessageA(GetCurrentThreadId(), WM_KEYDOWN, VK_SPACE, 0);
}

// Replaces an edit box's text as typing would, one WM_CHAR at a time.
inline void Type(HWND dialog, int id, const char* text)
{
    HWND box = GetDlgItem(dialog, id);
    SendMessageA(box, EM_SETSEL, 0, -1);
    SendMessageA(box, WM_CLEAR, 0, 0);
    for (const char* c = text; *c != '\0'; ++c)
        SendMessageA(box, WM_CHAR, static_cast<unsigned char>(*c), 1);
}
