// One show: black show windows, frames until a button or key press, then the desktop back.
#include "show.h"

#include <mmsystem.h>

#include <cstdint>

#include "../base/dpi.h"
#include "../base/globals.h"
#include "../base/scale.h"
#include "../catalogue/catalogue.h"
#include "ball.h"
#include "field.h"
#include "frame.h"
#include "inputhook.h"
#include "sound.h"

static bool compositorLooked;
CompositionEnabledCall compositionEnabled;
CompositorFlushCall compositorFlush;

static void LookForCompositor()
{
    compositorLooked = true;
    HMODULE dwmapi = LoadSystemLibrary("dwmapi.dll");
    compositionEnabled = reinterpret_cast<CompositionEnabledCall>(LookUpCall(dwmapi, "DwmIsCompositionEnabled"));
    compositorFlush = reinterpret_cast<CompositorFlushCall>(LookUpCall(dwmapi, "DwmFlush"));
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

// One monitor's part of a show: its window (two in Double mode) and its ball.
struct MonitorShow {
    RECT box;        // screen coordinates
    int32_t dpi;
    HWND windows[2]; // the first (the left one in Double mode) and the right one
    PAINTSTRUCT paints[2];
    BallMotion ball;
};
// The show under way: its request, its monitors, its pictures and what it has counted.
static const ShowRequest* request;
static MonitorShow monitors[MOST_SHOW_MONITORS];
static int32_t monitorCount;
static ShowPictures pictures;
// One field across all the monitors, where the request asks for it: its one ball.
struct FieldShow {
    BallField field;
    BallMotion ball;
};
static FieldShow fieldShow;
static ShowCounts* counts;
static bool holdingInput; // the hooks are in: a press they took ends the show too

// Black windows over the monitors the show leaves out, kept painted like
// the show's own: as many as there are monitors.
struct Cover {
    HWND window;
    PAINTSTRUCT paint;
};
static Cover* covers;
static int32_t coverCount, coverRoom;

static HWND CreateShowWindow(int x, int y, int width, int height)
{
    return CreateWindowExA(request->extendedStyle, request->windowClass, nullptr, WS_POPUP | WS_VISIBLE, x, y, width,
                           height, nullptr, nullptr, instanceHandle, nullptr);
}

// Whether a monitor has show windows of its own.
static bool ShowsOn(const RECT& box)
{
    for (int32_t i = 0; i < monitorCount; ++i)
        if (EqualRect(&monitors[i].box, &box))
            return true;
    return false;
}

static bool MakeRoomForCover()
{
    if (coverCount < coverRoom)
        return true;
    int32_t room = coverRoom == 0 ? 8 : coverRoom * 2;
    void* grown = covers == nullptr ? HeapAlloc(GetProcessHeap(), 0, room * sizeof(Cover))
                                    : HeapReAlloc(GetProcessHeap(), 0, covers, room * sizeof(Cover));
    if (grown == nullptr)
        return false;
    covers = static_cast<Cover*>(grown);
    coverRoom = room;
    return true;
}

static BOOL CALLBACK CoverMonitor(HMONITOR, HDC, LPRECT box, LPARAM)
{
    if (ShowsOn(*box))
        return TRUE;
    if (!MakeRoomForCover())
        return FALSE;
    HWND window = CreateShowWindow(box->left, box->top, box->right - box->left, box->bottom - box->top);
    if (window == nullptr)
        return TRUE;
    // Black whatever the class paints; the show dispatches nothing, so it is painted now.
    Cover* cover = &covers[coverCount++];
    cover->window = window;
    InvalidateRect(window, nullptr, FALSE);
    HDC dc = BeginPaint(window, &cover->paint);
    PatBlt(dc, 0, 0, box->right - box->left, box->bottom - box->top, BLACKNESS);
    return TRUE;
}

static void CoverOthers()
{
    if (request->coversOthers)
        EnumDisplayMonitors(nullptr, nullptr, CoverMonitor, 0);
}

static void Uncover()
{
    for (int32_t i = 0; i < coverCount; ++i) {
        EndPaint(covers[i].window, &covers[i].paint);
        DestroyWindow(covers[i].window);
    }
    coverCount = 0;
}

// The program's show dispatches nothing: no other handler of the program
// runs during it. A touch or a pen reaches it only as pointer messages (the
// hooks see none), which Windows makes a click of only in DefWindowProc: a
// press in contact ends the show here, and every pointer message is taken off
// the queue, so none lingers in its status.
int LookAtProgramInput()
{
    MSG message;
    if (PeekMessageA(&message, nullptr, FIRST_MOUSE_MESSAGE, LAST_MOUSE_MESSAGE, PM_REMOVE)
        || PeekMessageA(&message, nullptr, FIRST_POINTER_MESSAGE, LAST_POINTER_MESSAGE, PM_REMOVE)
        || PeekMessageA(&message, nullptr, FIRST_KEYBOARD_MESSAGE, LAST_KEYBOARD_MESSAGE, PM_REMOVE))
        return MessageEndsShow(message.message, message.wParam) ? INPUT_ENDS : INPUT_DROPPED;
    return INPUT_NONE;
}

static int LookAtInput()
{
    int input = request->lookAtInput();
    return holdingInput && HeldPressEndsShow() ? INPUT_ENDS : input;
}

static bool EndingInputWaiting()
{
    return (holdingInput && HeldPressEndsShow()) || request->endingInputWaiting();
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

// Only the primary monitor's ball, the first, is heard.
static BallPlace PlaceOf(int32_t monitor)
{
    const RECT& box = monitors[monitor].box;
    return MonitorPlace(box.right - box.left, box.bottom - box.top, monitors[monitor].dpi, monitor == 0);
}

// One frame on every monitor: a step of its own ball on each of its windows.
// Each ball moves, turns and mirrors as the full-screen show does on a
// screen of its monitor's size. Without its window the right ball still
// steps, so the left one keeps its own picture and the ball its pace.
static void StepField(FieldShow* show, bool twoBalls);

static void StepFrame(bool twoBalls)
{
    if (request->oneField) {
        StepField(&fieldShow, twoBalls);
        return;
    }
    for (int32_t i = 0; i < monitorCount; ++i) {
        BallPlace place = PlaceOf(i);
        for (int which = 0; which < (twoBalls ? 2 : 1); ++which) {
            BallStep step = StepBallAt(&monitors[i].ball, place, request->showMode);
            DrawBall(monitors[i].windows[which], &pictures, step, place);
            if (step.playSound && place.heard)
                PlayEdgeSound();
        }
    }
}

// Whether a picture at x, y (virtual-screen pixels), grown by reach on each
// side, falls on a monitor.
static bool PictureMeets(const RECT& box, int32_t x, int32_t y, int32_t size, int32_t reach)
{
    return x - reach < box.right && x + size + reach > box.left && y - reach < box.bottom && y + size + reach > box.top;
}

// One frame of the field: a step of its ball (two in Double mode), each
// picture drawn into every monitor's window it lies on, at the same rows.
// A window the picture has just left gets it once more, so that its last
// strip there is painted over by the black border, as within one window.
static void StepField(FieldShow* show, bool twoBalls)
{
    BallPlace primary = PlaceOf(0);
    int32_t size = FieldPictureSize(&show->field);
    for (int which = 0; which < (twoBalls ? 2 : 1); ++which) {
        // The last picture of this kind was drawn a frame ago: two steps back in Double mode.
        int32_t stepLength = (show->ball.stepX < 0 ? -show->ball.stepX : show->ball.stepX)
                           + (show->ball.stepY < 0 ? -show->ball.stepY : show->ball.stepY);
        int32_t reach = ScaledLength(2 * stepLength + 1, show->field.dpi);
        BallStep step = StepFieldBall(&show->ball, &show->field);
        int32_t x, y;
        FieldPicturePlace(&show->field, step, &x, &y);
        for (int32_t i = 0; i < monitorCount; ++i) {
            const RECT& box = monitors[i].box;
            if (!PictureMeets(box, x, y, size, reach))
                continue;
            BallStep there = step;
            there.drawX = x - box.left;
            there.drawY = y - box.top;
            DrawBall(monitors[i].windows[0], &pictures, there, primary);
        }
        if (step.playSound)
            PlayEdgeSound();
    }
}

// The field of the monitors as they are now.
static BallField FieldOfMonitors()
{
    ScreenBox boxes[MOST_SHOW_MONITORS];
    for (int32_t i = 0; i < monitorCount; ++i)
        boxes[i] = ScreenBox{monitors[i].box.left, monitors[i].box.top, monitors[i].box.right, monitors[i].box.bottom};
    return MakeBallField(boxes, monitorCount, monitors[0].dpi, request->showMode);
}

// The program's show ends only on a key or a left or right press: a wheel
// turn or a side button stays queued for the rest of its show, so the
// queue's status bits, which any button or the wheel sets, would cut every
// later burst to one frame.
bool ProgramEndingInputWaiting()
{
    // The status first: it is cheap, and nothing is waiting most of the time.
    if (HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) == 0)
        return false;
    // One look for each: a look over a range finds its first message only.
    MSG message;
    for (uint32_t ending : SHOW_ENDING_MESSAGES)
        if (PeekMessageA(&message, nullptr, ending, ending, PM_NOREMOVE))
            return true;
    return false;
}

// Draws the frames of one paint on every monitor. A long burst (a fast
// Speed) stops early once input that could end the show is waiting or a
// refresh period has passed, so that input is looked at in time; the frames
// it leaves out are not drawn later.
static void DrawFrames(bool twoBalls, int32_t frames, int64_t refreshPeriod)
{
    int64_t startedAt = ClockNow();
    int32_t drawn = 0;
    for (; drawn < frames; ++drawn) {
        if (drawn > 0 && !BurstGoesOn(startedAt, ClockNow(), refreshPeriod, EndingInputWaiting()))
            break;
        StepFrame(twoBalls);
        counts->frames = CountedOnce(counts->frames);
    }
    if (drawn > 0)
        counts->paints = CountedOnce(counts->paints);
    if (drawn > 1)
        counts->paintsOfSeveralFrames = CountedOnce(counts->paintsOfSeveralFrames);
}

// Waits for the compositor's next pass, which puts the paint just made on
// the screen. False when the compositor no longer paces the show: the call
// failed (composition was turned off) or it gives no wait.
static bool WaitForCompositor(int64_t refreshPeriod, int64_t ticksPerSecond, CompositorWaits* seen)
{
    int64_t before = ClockNow();
    if (FAILED(compositorFlush()))
        return false;
    return CompositorKeepsPace(seen, before, ClockNow(), refreshPeriod, ticksPerSecond);
}

static bool NobodySees()
{
    return request->unseen != nullptr && request->unseen();
}

// While nobody can see the show it draws nothing and holds no raised timer
// resolution, which keeps the processor from its power-saving states. It
// wakes for input (the hooks' too), a posted session change or a sent power
// broadcast. True when input ended the show.
static bool SleepWhileUnseen()
{
    timeEndPeriod(1);
    bool ended = false;
    for (;;) {
        int input = LookAtInput();
        if (input == INPUT_ENDS) {
            ended = true;
            break;
        }
        if (!NobodySees())
            break;
        if (input == INPUT_NONE)
            MsgWaitForMultipleObjectsEx(0, nullptr, 1000, QS_ALLINPUT, 0);
    }
    timeBeginPeriod(1);
    return ended;
}

// Without composition a switch of desktops (the lock screen) loses what the
// windows showed; the ball is drawn again at the next frame.
static void PaintMonitorsBlack()
{
    for (int32_t i = 0; i < monitorCount; ++i)
        for (int which = 0; which < 2; ++which)
            if (monitors[i].windows[which] != nullptr)
                PatBlt(monitors[i].paints[which].hdc, 0, 0, monitors[i].box.right - monitors[i].box.left,
                       monitors[i].box.bottom - monitors[i].box.top, BLACKNESS);
}

static int64_t RefreshPeriod(HWND window, int64_t ticksPerSecond)
{
    HDC dc = GetDC(window);
    int64_t period = FramePeriodTicks(GetDeviceCaps(dc, VREFRESH), ticksPerSecond);
    ReleaseDC(window, dc);
    return period;
}

// Where a monitor's window goes: the whole monitor, or in Double mode its
// left (which 0) or right half, the odd column in the right one.
static RECT ShowWindowBox(const RECT& box, bool twoBalls, int which)
{
    int width = box.right - box.left, half = width >> 1;
    if (!twoBalls)
        return box;
    if (which == 0)
        return RECT{box.left, box.top, box.left + half, box.bottom};
    return RECT{box.left + half, box.top, box.left + half + RightHalfWidth(width), box.bottom};
}

// Paints a monitor's windows black and keeps them painted for the show, so
// that no paint message wakes its waits. The show never erases: a window
// that has grown shows the desktop until this.
static void BeginMonitorPaint(MonitorShow* monitor)
{
    const RECT& box = monitor->box;
    for (int which = 0; which < 2; ++which) {
        if (monitor->windows[which] == nullptr)
            continue;
        InvalidateRect(monitor->windows[which], nullptr, FALSE);
        HDC dc = BeginPaint(monitor->windows[which], &monitor->paints[which]);
        PatBlt(dc, 0, 0, box.right - box.left, box.bottom - box.top, BLACKNESS);
    }
}

static void OpenMonitor(MonitorShow* monitor, bool split);
static void CloseMonitor(MonitorShow* monitor);

// The monitors of the show have changed (a new resolution, a monitor added,
// removed or moved): their windows take the new places at once, black, each
// monitor's ball the motion of a show on its new size, at the same pace on
// the refresh that is now; a new monitor gets a ball at its centre, a gone
// one loses its windows, and the covers are laid again; a field is laid out
// again over them, its ball kept inside. Looked at most once a refresh.
static void FollowScreen(bool split, const FramePace& pace, int64_t ticksPerSecond, int64_t* looked,
                         int64_t* period, int32_t* most)
{
    ShowMonitor now[MOST_SHOW_MONITORS];
    if (request->desktopChanged == nullptr || ClockNow() - *looked < *period)
        return;
    *looked = ClockNow();
    int32_t count = request->desktopChanged(now, MOST_SHOW_MONITORS);
    if (count < 1)
        return;
    if (count > MOST_SHOW_MONITORS)
        count = MOST_SHOW_MONITORS;
    Uncover();
    for (int32_t i = count; i < monitorCount; ++i)
        CloseMonitor(&monitors[i]);
    for (int32_t i = 0; i < count; ++i) {
        MonitorShow* monitor = &monitors[i];
        monitor->box = now[i].box;
        monitor->dpi = now[i].dpi;
        BallPlace place = PlaceOf(i);
        MakePicturesFor(&pictures, request->oneField ? PlaceOf(0) : place);
        if (i >= monitorCount) {
            monitor->ball = PrepareBallAt(place, request->showMode, request->aspectX, request->aspectY);
            OpenMonitor(monitor, split);
            continue;
        }
        for (int which = 0; which < 2; ++which) {
            if (monitor->windows[which] == nullptr)
                continue;
            EndPaint(monitor->windows[which], &monitor->paints[which]);
            RECT box = ShowWindowBox(monitor->box, split, which);
            SetWindowPos(monitor->windows[which], nullptr, box.left, box.top, box.right - box.left,
                         box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        BeginMonitorPaint(monitor);
        FitBallAt(&monitor->ball, place, request->showMode);
    }
    monitorCount = count;
    if (request->oneField) {
        fieldShow.field = FieldOfMonitors();
        FitFieldBall(&fieldShow.ball, &fieldShow.field);
    }
    CoverOthers();
    *period = RefreshPeriod(monitors[0].windows[0], ticksPerSecond);
    *most = FramesPerPaint(pace, *period);
}

// One frame is one step of the ball, two in Double mode, on every monitor.
// Frames fall due at the pace Speed sets; the screen is painted at most once
// a refresh, with every frame due by the paint's due time drawn in order.
// Where the desktop is composited, each paint waits for the compositor's
// pass, and the next comes right after it with the frames due by the middle
// of the refresh it will be shown in, or, where the next frame is due later,
// just after the pass before the one that shows it; elsewhere the timer
// paces the paints.
static void RunFrames(HWND first, bool twoBalls)
{
    // The field keeps one window over each monitor, in Double mode too.
    bool split = twoBalls && !request->oneField;
    int64_t ticksPerSecond = StartClock();
    int64_t period = RefreshPeriod(first, ticksPerSecond);

    FramePace pace = StartFramePace(request->speed, ticksPerSecond, ClockNow());
    int32_t most = FramesPerPaint(pace, period);
    bool composited = CompositorIsOn();
    CompositorWaits seen = {};
    int64_t paintDue = pace.nextDue;
    int64_t screenLooked = ClockNow();
    for (;;) {
        if (NobodySees()) {
            if (SleepWhileUnseen())
                return;
            // On at the pace from now, where the ball stood: the frames that
            // fell due meanwhile are not drawn.
            if (!CompositorIsOn())
                PaintMonitorsBlack();
            pace = StartFramePace(request->speed, ticksPerSecond, ClockNow());
            paintDue = pace.nextDue;
            seen = {};
        }
        FollowScreen(split, pace, ticksPerSecond, &screenLooked, &period, &most);
        paintDue = PaintDueAt(paintDue, ClockNow(), period);
        int32_t frames = TakeFramesDue(&pace, paintDue, most);
        DrawFrames(twoBalls, frames, period);
        bool painted = frames > 0;
        if (composited && painted)
            composited = WaitForCompositor(period, ticksPerSecond, &seen);
        int64_t wake = PlanNextPaint(pace, &paintDue, period, composited && painted, seen.lastReturn);
        if (WaitForFrame(wake, ticksPerSecond))
            return;
    }
}

// A monitor's window or two, filled black; each clips the monitor-sized
// rectangle to itself.
static void OpenMonitor(MonitorShow* monitor, bool twoBalls)
{
    RECT left = ShowWindowBox(monitor->box, twoBalls, 0), right = ShowWindowBox(monitor->box, twoBalls, 1);
    monitor->windows[0] = CreateShowWindow(left.left, left.top, left.right - left.left, left.bottom - left.top);
    monitor->windows[1] = nullptr;
    if (twoBalls)
        monitor->windows[1] = CreateShowWindow(right.left, right.top, right.right - right.left, right.bottom - right.top);
    BeginMonitorPaint(monitor);
}

static void CloseMonitor(MonitorShow* monitor)
{
    for (int which = 0; which < 2; ++which) {
        if (monitor->windows[which] == nullptr)
            continue;
        EndPaint(monitor->windows[which], &monitor->paints[which]);
        DestroyWindow(monitor->windows[which]);
        monitor->windows[which] = nullptr;
    }
}

// Everything the show draws and plays, made before its frames and without
// its windows: the sound, the pictures at every monitor's size, and each
// monitor's ball at its centre with the margins and steps of a screen of
// that monitor's size.
static void PrepareShow()
{
    // Read at every show, so that a sound file changed meanwhile is heard.
    LoadEdgeSound();
    pictures = LoadShowPictures(request->showMode, request->pairCodes[0], request->pairCodes[1]);
    for (int32_t i = 0; i < monitorCount; ++i) {
        BallPlace place = PlaceOf(i);
        monitors[i].ball = PrepareBallAt(place, request->showMode, request->aspectX, request->aspectY);
        MakePicturesFor(&pictures, request->oneField ? PlaceOf(0) : place);
    }
    // The field's ball starts as the primary's would, and is drawn at the
    // primary's size on every monitor, so that it stays whole across a seam.
    if (request->oneField) {
        fieldShow.field = FieldOfMonitors();
        fieldShow.ball = PrepareFieldBall(&fieldShow.field, request->aspectX, request->aspectY);
    }
}

typedef HWND(WINAPI* GetShellWindowCall)();

// After a show that took the keys, the window that had them before has them
// again, where it is still there and was not the desktop; elsewhere Windows
// chooses. Windows lets a program set the foreground only while it has it,
// which is when the show's windows had it.
static void GiveForegroundBack(HWND before)
{
    static GetShellWindowCall getShellWindow =
        reinterpret_cast<GetShellWindowCall>(LookUpCall(LoadSystemLibrary("user32.dll"), "GetShellWindow"));
    if (before == nullptr || !IsWindow(before) || before == GetDesktopWindow()
        || (getShellWindow != nullptr && before == getShellWindow()) || GetForegroundWindow() == before)
        return;
    SetForegroundWindow(before);
}

bool ShowUnderWay()
{
    return request != nullptr;
}

ShowCounts ShowRun(const ShowRequest& showRequest, ShowCounts* counting)
{
    HWND foregroundBefore = GetForegroundWindow();

    request = &showRequest;
    // Counted where a watcher sees each frame as it comes, or else here.
    ShowCounts own = {};
    counts = counting != nullptr ? counting : &own;
    *counts = {};
    bool twoBalls = request->showMode == SHOW_DOUBLE;
    monitorCount = request->monitorCount < 1 ? 1 : request->monitorCount < MOST_SHOW_MONITORS ? request->monitorCount
                                                                                              : MOST_SHOW_MONITORS;
    for (int32_t i = 0; i < monitorCount; ++i) {
        monitors[i].box = request->monitors[i].box;
        monitors[i].dpi = request->monitors[i].dpi;
    }
    // Everything that takes a while (the sound file, the pictures at each
    // monitor's scale) before the screen turns black, and the hooks in before
    // the windows show: a key typed meanwhile ends the show instead of
    // reaching the program behind it.
    PrepareShow();
    holdingInput = request->holdsInput && StartHoldingInput();
    for (int32_t i = 0; i < monitorCount; ++i)
        OpenMonitor(&monitors[i], twoBalls && !request->oneField);
    CoverOthers();
    if (holdingInput) {
        // Wine brings its key state up to date as this thread takes the
        // windows' focus events, which a look at the queue lets it take.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        ShowHasKeyboard();
    }
    HWND first = monitors[0].windows[0];

    // Without its first window (no class, no window to be had) the show would
    // run unseen until a key: it ends at once, through the same end steps.
    if (first != nullptr) {
        SetCapture(first);
        SetCursor(nullptr);

        timeBeginPeriod(1);
        RunFrames(first, twoBalls);
        timeEndPeriod(1);
    }

    ReleaseCapture();
    for (int32_t i = 0; i < monitorCount; ++i)
        CloseMonitor(&monitors[i]);
    Uncover();
    ReleaseShowPictures(&pictures);

    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    if (request->windowsGone != nullptr)
        request->windowsGone();
    if (request->holdsInput)
        GiveForegroundBack(foregroundBefore);
    if (holdingInput)
        StopHoldingInput();
    holdingInput = false;
    ShowCounts counted = *counts;
    counted.firstBall = request->oneField ? fieldShow.ball : monitors[0].ball;
    request = nullptr;
    counts = nullptr;
    return counted;
}
