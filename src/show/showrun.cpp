// One show: black show windows, frames until a button or key press, then the desktop back.
#include "show.h"

#include <mmsystem.h>

#include <cstdint>

#include "../app/globals.h"
#include "../catalogue/catalogue.h"
#include "ball.h"
#include "frame.h"

enum { INPUT_NONE, INPUT_DROPPED, INPUT_ENDS };

static int64_t Now()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

static HWND CreateShowWindow(int x, int width)
{
    // The screen saver's show covers everything, the taskbar too.
    DWORD above = saverShow == 1 ? WS_EX_TOPMOST : 0;
    return CreateWindowExA(above, "static", nullptr, WS_POPUP | WS_VISIBLE, x, 0, width, screenHeight,
                           nullptr, nullptr, instanceHandle, nullptr);
}

// Removes one mouse message, or else one keyboard message, and says what it was.
// Nothing is dispatched: no other handler of the program runs during a show.
static int LookAtInput()
{
    MSG message;
    if (PeekMessageA(&message, nullptr, FIRST_MOUSE_MESSAGE, LAST_MOUSE_MESSAGE, PM_REMOVE)
        || PeekMessageA(&message, nullptr, FIRST_KEYBOARD_MESSAGE, LAST_KEYBOARD_MESSAGE, PM_REMOVE)) {
        bool ends = saverShow == 1 ? SaverInputEnds(&pointerAnchor, message.message, message.pt.x, message.pt.y)
                                   : MessageEndsShow(message.message);
        return ends ? INPUT_ENDS : INPUT_DROPPED;
    }
    return INPUT_NONE;
}

// Sleeps until the next frame is due, looking at input as it arrives. True when
// the input ends the show. WaitMessage cannot serve here: it sleeps through a
// timer message that stays queued, so the ball would stand still until input.
static bool WaitForFrame(int64_t deadline, int64_t ticksPerSecond)
{
    for (;;) {
        int input = LookAtInput();
        if (input == INPUT_ENDS)
            return true;
        uint32_t wait = MillisecondsUntil(Now(), deadline, ticksPerSecond);
        if (wait == 0)
            return false;
        // A dropped message may have older ones behind it, which would not wake the wait.
        if (input == INPUT_NONE)
            MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, 0);
    }
}

// One frame is one step of the ball, two in Double mode. Frames fall due at
// the pace Speed sets; the screen is painted at most once a refresh, with every
// frame due by then drawn in order.
static void RunFrames(HWND first, HWND second, bool twoBalls)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    HDC dc = GetDC(first);
    int64_t period = FramePeriodTicks(GetDeviceCaps(dc, VREFRESH), frequency.QuadPart);
    ReleaseDC(first, dc);

    FramePace pace = StartFramePace(Speed, frequency.QuadPart, Now());
    int32_t most = FramesPerPaint(pace, period);
    for (;;) {
        int64_t paintedAt = Now();
        for (int32_t frames = TakeFramesDue(&pace, paintedAt, most); frames > 0; --frames) {
            BallAnimation(first, BALL_STEP);
            // Without its window the right ball still steps, so the left one
            // keeps its own picture and the ball its pace.
            if (twoBalls)
                BallAnimation(second, BALL_STEP);
        }
        if (WaitForFrame(NextPaint(pace, paintedAt, period), frequency.QuadPart))
            return;
    }
}

void ShowRun(HWND park)
{
    if (alwaysOnTop == 1)
        SetWindowPos(park, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    bool twoBalls = showMode == SHOW_DOUBLE;
    int half = screenWidth >> 1;
    HWND first = CreateShowWindow(0, twoBalls ? half : screenWidth);
    HWND second = twoBalls ? CreateShowWindow(half, RightHalfWidth(screenWidth)) : nullptr;

    // Each window clips the screen-sized rectangle to itself.
    PAINTSTRUCT firstPaint, secondPaint;
    HDC firstDc = BeginPaint(first, &firstPaint);
    PatBlt(firstDc, 0, 0, screenWidth, screenHeight, BLACKNESS);
    if (second != nullptr) {
        HDC secondDc = BeginPaint(second, &secondPaint);
        PatBlt(secondDc, 0, 0, screenWidth, screenHeight, BLACKNESS);
    }

    BallAnimation(first, BALL_PREPARE);
    SetCapture(first);
    SetCursor(nullptr);

    timeBeginPeriod(1);
    RunFrames(first, second, twoBalls);
    timeEndPeriod(1);

    EndPaint(first, &firstPaint);
    if (second != nullptr)
        EndPaint(second, &secondPaint);
    ReleaseCapture();
    DestroyWindow(first);
    if (second != nullptr)
        DestroyWindow(second);

    tickCounter = 0;
    showRunning = 0;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    if (alwaysOnTop == 1)
        SetWindowPos(park, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
