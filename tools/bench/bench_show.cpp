// Measures shows in-process: frames per second and the ball's pace, paints
// per second and how many drew more than one frame (counted by the show's
// loop, and in a model of it at refresh rates this display lacks), CPU per
// frame beside a bare loop that only blits one picture per frame, CPU while
// the park window waits, and how quickly a show starts and ends; on two
// monitors, the same figures for each ShowMonitors.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <initializer_list>

#include "base/dpi.h"
#include "base/globals.h"
#include "base/numbers.h"
#include "base/scale.h"
#include "app/park.h"
#include "app/programshow.h"
#include "catalogue/catalogue.h"
#include "show/ball.h"
#include "show/frame.h"
#include "show/show.h"

static double Seconds()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

static double ThreadCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto value = [](FILETIME t) { return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7; };
    return value(kernel) + value(user);
}

static double ProcessCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](FILETIME t) { return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7; };
    return value(kernel) + value(user);
}

// Watches the show from another thread: the frames it counts as it draws
// them; after `length` seconds it presses a key.
struct Watch {
    DWORD mainThread;
    double length;
    const ShowCounts* counts;
    double firstFrameAt, lastFrameAt, keyPostedAt;
    double desktopBackAt; // when the show's window was gone after the key press (1 ms polls)
    int frames;
    bool wheelFirst; // a turn of the wheel through the input queue as the show starts
    bool timeHooks;  // moves of the pointer, timed (they cost the hooks' CPU: not in the CPU figures)
    double longestHookWait; // the longest a move of the pointer waited for the show's hooks
};

// Windows calls the show's low-level hooks through the queue of the thread
// that put them in, and SendInput returns once they have answered: a move by
// nothing (the show swallows moves), timed, tells how long input waits for
// them at that moment.
static double HookWait()
{
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    double before = Seconds();
    SendInput(1, &move, sizeof move);
    return Seconds() - before;
}

// A key press as the keyboard makes it: through the input (and the show's
// hooks), where the show sees it even in the middle of a burst of frames.
// Should it not end the show, a posted one ends it all the same. The key is
// released once the desktop is back: the show waits for that release.
static void PressKey(Watch* watch)
{
    POINT centre = {screenWidth / 2, screenHeight / 2};
    HWND shown = WindowFromPoint(centre);
    INPUT key = {};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = VK_SPACE;
    SendInput(1, &key, sizeof key);
    for (int i = 0; i < 1000 && IsWindow(shown); ++i)
        Sleep(1);
    if (IsWindow(shown))
        PostThreadMessageA(watch->mainThread, WM_KEYDOWN, VK_SPACE, 0);
    for (int i = 0; i < 1000 && IsWindow(shown); ++i)
        Sleep(1);
    watch->desktopBackAt = Seconds();
    key.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &key, sizeof key);
}

static DWORD WINAPI WatchShow(LPVOID parameter)
{
    Watch* watch = static_cast<Watch*>(parameter);
    const volatile int32_t* drawn = &watch->counts->frames;
    int32_t last = *drawn;
    if (watch->wheelFirst) {
        INPUT wheel = {};
        wheel.type = INPUT_MOUSE;
        wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
        wheel.mi.mouseData = WHEEL_DELTA;
        SendInput(1, &wheel, sizeof wheel);
    }
    double start = Seconds();
    watch->firstFrameAt = 0;
    int frames = 0;
    while (Seconds() - start < watch->length) {
        int32_t now = *drawn;
        if (now != last) {
            if (frames == 0)
                watch->firstFrameAt = Seconds();
            watch->lastFrameAt = Seconds();
            frames += now - last;
            last = now;
        }
        if (watch->timeHooks) {
            double wait = HookWait();
            watch->longestHookWait = wait > watch->longestHookWait ? wait : watch->longestHookWait;
        }
        Sleep(1);
    }
    watch->frames = frames;
    watch->keyPostedAt = Seconds();
    PressKey(watch);
    return 0;
}

struct ShowFigures {
    double fps, cpuPerFrame, cpuShare, startLatency, endLatency, paintsPerSecond, severalShare, longestHookWait;
    int32_t step; // units a step, on each axis
};

static ShowFigures MeasureShow(HWND park, double length, bool wheelFirst = false, bool timeHooks = false)
{
    ShowFigures figures;
    ShowCounts counting = {};
    Watch watch = {GetCurrentThreadId(), length, &counting, 0, 0, 0, 0, 0, wheelFirst, timeHooks, 0};
    double cpuBefore = ThreadCpuSeconds();
    HANDLE thread = CreateThread(nullptr, 0, WatchShow, &watch, 0, nullptr);
    double started = Seconds();
    ShowCounts counts = RunProgramShow(park, &counting);
    figures.step = std::abs(counts.firstBall.stepX);
    double ended = Seconds();
    double cpu = ThreadCpuSeconds() - cpuBefore;
    figures.cpuShare = cpu / (ended - started);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    // From the first frame to the last one seen: a slow pace is not cut short by where the key falls.
    figures.fps = watch.frames > 1 ? (watch.frames - 1) / (watch.lastFrameAt - watch.firstFrameAt) : 0;
    figures.cpuPerFrame = cpu / (watch.frames > 0 ? watch.frames : 1);
    figures.startLatency = watch.firstFrameAt - started;
    figures.endLatency = watch.desktopBackAt - watch.keyPostedAt;
    // The show's own count, from its first frame on; the paints after the key press are one at most.
    figures.paintsPerSecond = watch.firstFrameAt > 0 ? (counts.paints - 1) / (watch.keyPostedAt - watch.firstFrameAt) : 0;
    figures.severalShare = counts.paints > 0 ? double(counts.paintsOfSeveralFrames) / counts.paints : 0;
    figures.longestHookWait = watch.longestHookWait;
    // The key's release, and the posted press should the real one have ended the show first.
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    // The wheel's message, which the show leaves queued.
    while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, 0x020E, PM_REMOVE)) {
    }
    return figures;
}

// The same frame rate with nothing but one 164 x 164 blit per frame.
static double BareLoopCpuPerFrame(double length)
{
    HWND window = CreateWindowExA(0, "static", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, screenWidth, screenHeight,
                                  nullptr, nullptr, instanceHandle, nullptr);
    PAINTSTRUCT paint; // validated once, as a show does, so no paint request stays pending
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    HBITMAP picture = LoadBitmapA(instanceHandle, "sphere");
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    HDC screen = GetDC(window);
    int64_t period = FramePeriodTicks(GetDeviceCaps(screen, VREFRESH), frequency.QuadPart);
    ReleaseDC(window, screen);
    timeBeginPeriod(1);
    double cpuBefore = ThreadCpuSeconds(), start = Seconds();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    int64_t deadline = now.QuadPart;
    int frames = 0;
    while (Seconds() - start < length) {
        HDC dc = GetDC(window);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, picture);
        BitBlt(dc, frames % 400, 100, BALL_SIZE, BALL_SIZE, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        ReleaseDC(window, dc);
        DeleteDC(memory);
        ++frames;
        deadline += period;
        for (;;) {
            // Any frame loop looks at its input; the look also lets the wait sleep.
            MSG message;
            PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_MOUSELAST, PM_REMOVE);
            QueryPerformanceCounter(&now);
            uint32_t wait = MillisecondsUntil(now.QuadPart, deadline, frequency.QuadPart);
            if (wait == 0)
                break;
            MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, 0);
        }
    }
    double cpu = ThreadCpuSeconds() - cpuBefore;
    timeEndPeriod(1);
    DeleteObject(picture);
    DestroyWindow(window);
    return cpu / frames;
}

// The show's paint schedule on a simulated clock of 10 MHz, at a refresh rate
// this display may not have: each wait lasts the whole milliseconds the show
// would ask for and ends 0 to 2 ms late (a fixed pseudo-random sequence).
static void ModelPaints(int32_t speed, int32_t refreshRate, double seconds, double* paintsPerSecond,
                        double* severalShare)
{
    const int64_t second = 10000000, period = FramePeriodTicks(refreshRate, second);
    FramePace pace = StartFramePace(speed, second, 0);
    const int32_t most = FramesPerPaint(pace, period);
    uint32_t noise = 12345;
    int64_t paints = 0, several = 0;
    for (int64_t now = 0, due = 0; due < int64_t(seconds * second);) {
        due = PaintDueAt(due, now, period);
        int32_t frames = TakeFramesDue(&pace, due, most);
        paints += frames > 0 ? 1 : 0;
        several += frames > 1 ? 1 : 0;
        int64_t wake = PlanNextPaint(pace, &due, period, false, now);
        while (now < wake) {
            noise = noise * 1664525u + 1013904223u;
            now += int64_t(MillisecondsUntil(now, wake, second)) * (second / 1000) + (noise >> 8) % 20001;
        }
    }
    *paintsPerSecond = paints / seconds;
    *severalShare = paints > 0 ? double(several) / paints : 0;
}

// CPU of the whole process while the park window waits between shows.
static double WaitingCpuShare(HWND park, double length)
{
    // The program's own loop, ended by a thread timer of the benchmark's.
    waitLimit = INT32_MAX;
    UINT_PTR stop = SetTimer(nullptr, 0, UINT(length * 1000), nullptr);
    double cpuBefore = ProcessCpuSeconds(), start = Seconds();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == WM_TIMER && message.wParam == stop)
            break;
        DispatchMessageA(&message);
    }
    KillTimer(nullptr, stop);
    (void)park;
    return (ProcessCpuSeconds() - cpuBefore) / (Seconds() - start);
}

// CPU of the whole process over a show that nobody sees: the screen locked
// (the session's change posted, as Windows posts it) just after its start.
static double unseenCpu;
static DWORD WINAPI WatchUnseenShow(LPVOID mainThread)
{
    PostMessageA(parkWindow, WM_WTSSESSION_CHANGE, 7, 0); // WTS_SESSION_LOCK
    Sleep(500);
    double cpuBefore = ProcessCpuSeconds(), start = Seconds();
    Sleep(5000);
    unseenCpu = (ProcessCpuSeconds() - cpuBefore) / (Seconds() - start);
    PostMessageA(parkWindow, WM_WTSSESSION_CHANGE, 8, 0); // WTS_SESSION_UNLOCK
    PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(mainThread)), WM_KEYDOWN, VK_SPACE, 0);
    return 0;
}

static double UnseenShowCpuShare(HWND park)
{
    LPVOID self = reinterpret_cast<LPVOID>(static_cast<ULONG_PTR>(GetCurrentThreadId()));
    HANDLE thread = CreateThread(nullptr, 0, WatchUnseenShow, self, 0, nullptr);
    RunProgramShow(park);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return unseenCpu;
}

// The Double show at Speed 60 for each ShowMonitors, one line each. The
// primary's own show (ShowMonitors 0: a static black cover on the other
// monitor, drawn once) is the one-monitor figure the others are set beside.
static void MonitorShows(HWND park)
{
    static const char* const names[] = {"primary only", "each", "across all"};
    int monitors = GetSystemMetrics(SM_CMONITORS);
    if (monitors < 2) {
        for (const char* name : names)
            std::printf("two monitors, %-12s skipped: the display has %d monitor\n", name, monitors);
        return;
    }
    Speed = 60;
    showMode = SHOW_DOUBLE;
    // The first show of the process makes the pictures: not in any figure.
    showMonitors = MONITORS_PRIMARY;
    MeasureShow(park, 1.0);
    // The hooks are not timed: the probing costs CPU the figures would count.
    ShowFigures figures[3];
    for (int32_t choice = MONITORS_PRIMARY; choice <= MONITORS_ACROSS; ++choice) {
        showMonitors = choice;
        figures[choice] = MeasureShow(park, 8.0);
    }
    showMonitors = MONITORS_PRIMARY;
    double one = figures[MONITORS_PRIMARY].cpuPerFrame;
    for (int32_t choice = MONITORS_PRIMARY; choice <= MONITORS_ACROSS; ++choice) {
        const ShowFigures& shown = figures[choice];
        std::printf("two monitors, %-12s %.2f paints/s, %.2f%% of two frames, CPU per frame %.3f ms ",
                    names[choice], shown.paintsPerSecond, shown.severalShare * 100, shown.cpuPerFrame * 1e3);
        if (choice == MONITORS_PRIMARY)
            std::printf("(the one-monitor show)\n");
        else
            std::printf("(%.2f x the one-monitor show's)%s\n", shown.cpuPerFrame / one,
                        choice == MONITORS_ACROSS ? "; goal 60, at most 1.00%, at most 1.20 x" : "");
    }
}

int main(int argc, char** argv)
{
    // "scale": the pace alone, at the display's scale (tools/bench.sh runs it at 150%).
    bool scaleOnly = argc > 1 && std::strcmp(argv[1], "scale") == 0;
    if (scaleOnly)
        BecomeDpiAware();
    instanceHandle = GetModuleHandleA(nullptr);
    screenWidth = GetSystemMetrics(SM_CXSCREEN);
    screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RegisterParkClass();
    HWND park = CreateParkWindow();
    parkWindow = park;
    ShowWindow(park, SW_SHOWNORMAL);
    // The pace Speed asks for: one frame every Speed / 3600 s.
    showMode = SHOW_SATURN;
    HDC parkDc = GetDC(park);
    int refreshRate = GetDeviceCaps(parkDc, VREFRESH);
    ReleaseDC(park, parkDc);
    // 0 and 1 mean the display's default, which the show takes as 60 Hz.
    refreshRate = refreshRate > 1 ? refreshRate : 60;
    if (scaleOnly) {
        int32_t dpi = PrimaryMonitorDpi();
        Speed = 60;
        ShowFigures scaled = MeasureShow(park, 5.0, false, true);
        // The first show after the start makes the pictures at the scale.
        std::printf("hook wait first show at %d DPI %.1f\n", dpi, scaled.longestHookWait * 1e3);
        double pixels = scaled.step * dpi / 96.0;
        std::printf("pace at %d DPI              %.2f frames/s at Speed 60 (goal 60.00), %.2f px a frame, %.0f px/s "
                    "per axis on the %d x %d screen\n",
                    dpi, scaled.fps, pixels, scaled.fps * pixels, screenWidth, screenHeight);
        SendMessageA(park, WM_CLOSE, 0, 0);
        DestroyWindow(park);
        return 0;
    }
    // "change": one show of 8 s at Speed 60, while tools/bench.sh changes the display's mode under it.
    if (argc > 1 && std::strcmp(argv[1], "change") == 0) {
        Speed = 60;
        ShowFigures changed = MeasureShow(park, 8.0, false, true);
        std::printf("hook wait display change %.1f\n", changed.longestHookWait * 1e3);
        SendMessageA(park, WM_CLOSE, 0, 0);
        DestroyWindow(park);
        return 0;
    }
    // "monitors": a Double show at Speed 60 for each ShowMonitors, on the
    // two-monitor display tools/bench.sh starts.
    if (argc > 1 && std::strcmp(argv[1], "monitors") == 0) {
        MonitorShows(park);
        SendMessageA(park, WM_CLOSE, 0, 0);
        DestroyWindow(park);
        return 0;
    }
    std::printf("screen                      %d x %d, refresh %d Hz\n", screenWidth, screenHeight, refreshRate);
    for (int32_t speed : {30, 60, 120, 600}) {
        Speed = speed;
        ShowFigures paced = MeasureShow(park, speed >= 600 ? 10.0 : 5.0);
        double goal = 3600.0 / speed;
        std::printf("pace at Speed %-4d           %.2f frames/s, goal %.2f (%+.2f%%)\n", speed, paced.fps, goal,
                    (paced.fps / goal - 1) * 100);
    }
    // The wheel does not end the program's show and stays queued; the pace holds.
    Speed = 30;
    ShowFigures wheeled = MeasureShow(park, 5.0, true);
    std::printf("pace at Speed 30, wheel     %.2f frames/s after a turn of the wheel, goal 120.00 (%+.2f%%)\n",
                wheeled.fps, (wheeled.fps / 120 - 1) * 100);
    Speed = 60;
    ShowFigures single = MeasureShow(park, 5.0);
    showMode = SHOW_DOUBLE;
    ShowFigures twoBalls = MeasureShow(park, 5.0);
    Speed = SLOWEST_SPEED;
    showMode = SHOW_SATURN;
    ShowFigures slowest = MeasureShow(park, 10.0);
    double startWorst = 0, endWorst = 0, slowEndWorst = 0;
    for (int i = 0; i < 10; ++i) {
        ShowFigures quick = MeasureShow(park, 0.3);
        slowEndWorst = quick.endLatency > slowEndWorst ? quick.endLatency : slowEndWorst;
    }
    Speed = 60;
    for (int i = 0; i < 10; ++i) {
        ShowFigures quick = MeasureShow(park, 0.3);
        startWorst = quick.startLatency > startWorst ? quick.startLatency : startWorst;
        endWorst = quick.endLatency > endWorst ? quick.endLatency : endWorst;
    }
    // Speed 1 draws up to two refresh periods' worth of frames at a paint: the
    // longest bursts, which stop for a waiting key press.
    Speed = 1;
    showMode = SHOW_DOUBLE;
    double burstEndWorst = 0;
    for (int i = 0; i < 10; ++i) {
        ShowFigures quick = MeasureShow(park, 0.3);
        burstEndWorst = quick.endLatency > burstEndWorst ? quick.endLatency : burstEndWorst;
    }
    ShowFigures burst = MeasureShow(park, 3.0, false, true);
    std::printf("hook wait Speed 1 Double %.1f\n", burst.longestHookWait * 1e3);
    // The sound file by name (the first argument), at every edge: Speed 6
    // takes the ball from edge to edge in about a second.
    if (argc > 1) {
        lstrcpynA(soundPath, argv[1], PATH_SIZE);
        soundPathWide[0] = 0;
        Speed = 6;
        showMode = SHOW_SATURN;
        ShowFigures sounding = MeasureShow(park, 5.0, false, true);
        std::printf("hook wait sound at every edge %.1f\n", sounding.longestHookWait * 1e3);
        soundPath[0] = 0;
    }
    showMode = SHOW_SATURN;
    Speed = 60;
    double bare = BareLoopCpuPerFrame(5.0);
    double waiting = WaitingCpuShare(park, 10.0);
    double unseen = UnseenShowCpuShare(park);

    std::printf("frames per second           %.1f (single), %.1f (Double), at Speed 60\n", single.fps, twoBalls.fps);
    std::printf("paints at Speed 60          %.2f a second, %.2f%% of them with more than one frame (show loop, %d Hz)\n",
                single.paintsPerSecond, single.severalShare * 100, refreshRate);
    double modelPaints, modelShare;
    ModelPaints(120, 120, 60.0, &modelPaints, &modelShare);
    std::printf("paints at Speed 120, 120 Hz %.2f a second, %.2f%% of them with more than one frame (model, wakes 0-2 ms late)\n",
                modelPaints, modelShare * 100);
    std::printf("ball pace                   %.0f px/s per axis (single), %.0f (Double: two steps a frame)\n",
                single.fps * single.step, twoBalls.fps * 2 * twoBalls.step);
    std::printf("CPU per second of show      %.2f%% of a core at Speed 60, %.3f%% at Speed %d\n",
                single.cpuShare * 100, slowest.cpuShare * 100, SLOWEST_SPEED);
    std::printf("CPU per frame               %.3f ms show loop, %.3f ms bare blit loop, ratio %.2f\n",
                single.cpuPerFrame * 1e3, bare * 1e3, single.cpuPerFrame / bare);
    std::printf("CPU while waiting           %.3f%% of a core\n", waiting > 0 ? waiting * 100 : 0.0);
    std::printf("CPU of a show nobody sees   %.3f%% of a core (the screen locked, 5 s), goal 0.0%%\n",
                unseen > 0 ? unseen * 100 : 0.0);
    std::printf("show start to first frame   %.1f ms (worst of 10)\n", startWorst * 1e3);
    std::printf("key press to desktop back   %.1f ms at Speed 60, %.1f ms at Speed %d, %.1f ms at Speed 1 Double "
                "(worst of 10 each)\n",
                endWorst * 1e3, slowEndWorst * 1e3, SLOWEST_SPEED, burstEndWorst * 1e3);
    SendMessageA(park, WM_CLOSE, 0, 0);
    DestroyWindow(park);
    return 0;
}
