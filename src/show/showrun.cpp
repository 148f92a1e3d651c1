// One show: black show windows, frames until a button or key press, then the desktop back.
#include "show.h"

#include <mmsystem.h>

#include <cstdint>

#include "../app/globals.h"
#include "../catalogue/catalogue.h"
#include "ball.h"
#include "frame.h"

enum { INPUT_NONE, INPUT_DROPPED, INPUT_ENDS };

static bool compositorLooked;
CompositionEnabledCall compositionEnabled;
CompositorFlushCall compositorFlush;

static void LookForCompositor()
{
    compositorLooked = true;
    // From the system folder only: never a dwmapi.dll that lies beside the program.
    char path[MAX_PATH + 16];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    lstrcatA(path, "\\dwmapi.dll");
    HMODULE dwmapi = LoadLibraryA(path);
    if (dwmapi == nullptr)
        return;
    // Through void*: a FARPROC is no function pointer of these types.
    compositionEnabled = reinterpret_cast<CompositionEnabledCall>(
        reinterpret_cast<void*>(GetProcAddress(dwmapi, "DwmIsCompositionEnabled")));
    compositorFlush = reinterpret_cast<CompositorFlushCall>(reinterpret_cast<void*>(GetProcAddress(dwmapi, "DwmFlush")));
}

// Whether the desktop is composited, so that paints can wait for the
// compositor's passes instead of the timer.
static bool CompositorIsOn()
{
    if (!compositorLooked)
        LookForCompositor();
    BOOL enabled = FALSE;
    return compositionEnabled != nullptr && compositorFlush != nullptr
        && SUCCEEDED(compositionEnabled(&enabled)) && enabled;
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
        uint32_t wait = MillisecondsUntil(ClockNow(), deadline, ticksPerSecond);
        if (wait == 0)
            return false;
        // A dropped message may have older ones behind it, which would not wake the wait.
        if (input == INPUT_NONE)
            MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, 0);
    }
}

// Draws the frames of one paint, one step of the ball each, two in Double
// mode. A long burst (a fast Speed) stops early once a key or button press
// is waiting or a refresh period has passed, so that input is looked at in
// time; the frames it leaves out are not drawn later.
static void DrawFrames(HWND first, HWND second, bool twoBalls, int32_t frames, int64_t refreshPeriod)
{
    int64_t startedAt = ClockNow();
    int32_t drawn = 0;
    for (; drawn < frames; ++drawn) {
        if (drawn > 0
            && !BurstGoesOn(startedAt, ClockNow(), refreshPeriod,
                            HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) != 0))
            break;
        BallAnimation(first, BALL_STEP);
        // Without its window the right ball still steps, so the left one
        // keeps its own picture and the ball its pace.
        if (twoBalls)
            BallAnimation(second, BALL_STEP);
        ++showFrames;
    }
    if (drawn > 0)
        ++showPaints;
    if (drawn > 1)
        ++showPaintsOfSeveralFrames;
}

// Waits for the compositor's next pass, which puts the paint just made on
// the screen. False when the compositor no longer paces the show: the call
// failed (composition was turned off) or it gives no wait.
static bool WaitForCompositor(int64_t refreshPeriod, int32_t* quickInRow)
{
    int64_t before = ClockNow();
    if (FAILED(compositorFlush()))
        return false;
    return CompositorKeepsPace(ClockNow() - before, refreshPeriod, quickInRow);
}

// Frames fall due at the pace Speed sets; the screen is painted at most once
// a refresh, with every frame due by the paint's due time drawn in order.
// Where the desktop is composited, each paint waits for the compositor's
// pass, and the next comes right after it with the frames due by the middle
// of the refresh it will be shown in; elsewhere the timer paces the paints.
static void RunFrames(HWND first, HWND second, bool twoBalls)
{
    int64_t ticksPerSecond = StartClock();
    HDC dc = GetDC(first);
    int64_t period = FramePeriodTicks(GetDeviceCaps(dc, VREFRESH), ticksPerSecond);
    ReleaseDC(first, dc);

    FramePace pace = StartFramePace(Speed, ticksPerSecond, ClockNow());
    int32_t most = FramesPerPaint(pace, period);
    bool composited = CompositorIsOn();
    int32_t quickFlushes = 0;
    int64_t paintDue = pace.nextDue;
    showPaints = showFrames = showPaintsOfSeveralFrames = 0;
    for (;;) {
        paintDue = PaintDueAt(paintDue, ClockNow(), period);
        int32_t frames = TakeFramesDue(&pace, paintDue, most);
        DrawFrames(first, second, twoBalls, frames, period);
        bool painted = frames > 0;
        if (composited && painted)
            composited = WaitForCompositor(period, &quickFlushes);
        int64_t wake;
        if (composited && painted) {
            int64_t halfway = ClockNow() + period / 2;
            paintDue = pace.nextDue > halfway ? pace.nextDue : halfway;
            wake = paintDue - period / 2;
        } else {
            paintDue = NextPaint(pace, paintDue, period);
            wake = paintDue;
        }
        if (WaitForFrame(wake, ticksPerSecond))
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
