// Shows run in-process with real queued messages: which input ends a show,
// what the show leaves behind, its windows, and that it leaks nothing.
#include "showtest.h"

#include "catalogue/catalogue.h"
#include "guicount.h"
#include "imports.h"
#include "show/display.h"

#include <initializer_list>

struct Posted {
    UINT message;
    WPARAM wParam;
};

// Queues the messages, runs a show, and reports which of them are still queued.
static bool RunShowAfter(HWND park, const Posted* posted, int count, bool* stillQueued)
{
    DrainMessages(WM_KEYFIRST, WM_KEYLAST);
    DrainMessages(WM_MOUSEFIRST, WM_MOUSELAST);
    DrainMessages(WM_NCPOINTERUPDATE, WM_POINTERHWHEEL);
    for (int i = 0; i < count; ++i)
        PostMessageA(park, posted[i].message, posted[i].wParam, 0);
    bool endedByItself = RunGuardedShow(park);
    for (int i = 0; i < count; ++i)
        stillQueued[i] = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_MOUSELAST, PM_REMOVE)
           || PeekMessageA(&message, nullptr, WM_NCPOINTERUPDATE, WM_POINTERHWHEEL, PM_REMOVE)) {
        for (int i = 0; i < count; ++i) {
            if (message.message == posted[i].message && message.wParam == posted[i].wParam)
                stillQueued[i] = true;
        }
    }
    return endedByItself;
}

static void TestEndingInput(HWND park)
{
    // Each row: the input under test, then a key press that ends the show if
    // the input did not. Whether that key press is still queued afterwards
    // tells which of the two ended the show.
    // A touch or a pen as Windows 8 and later send it (Wine sends none): the
    // pointer's flags in wParam's upper word, its id in the lower.
    const WPARAM finger = MAKEWPARAM(1, POINTER_MESSAGE_FLAG_INRANGE | POINTER_MESSAGE_FLAG_INCONTACT
                                            | POINTER_MESSAGE_FLAG_FIRSTBUTTON | POINTER_MESSAGE_FLAG_PRIMARY);
    const WPARAM barrel = MAKEWPARAM(2, POINTER_MESSAGE_FLAG_INRANGE | POINTER_MESSAGE_FLAG_INCONTACT
                                            | POINTER_MESSAGE_FLAG_SECONDBUTTON);
    const WPARAM hover = MAKEWPARAM(2, POINTER_MESSAGE_FLAG_INRANGE);
    struct {
        UINT message;
        WPARAM wParam;
        bool ends;
    } rows[] = {
        {WM_MOUSEMOVE, 7, false}, {WM_MBUTTONDOWN, 7, false}, {WM_LBUTTONUP, 7, false},
        {WM_RBUTTONUP, 7, false}, {WM_LBUTTONDBLCLK, 7, false}, {WM_KEYUP, 7, false},
        {WM_SYSKEYDOWN, 7, false}, {WM_CHAR, 7, false},
        {WM_LBUTTONDOWN, 7, true}, {WM_RBUTTONDOWN, 7, true}, {WM_KEYDOWN, 7, true},
        {WM_POINTERDOWN, finger, true}, {WM_POINTERDOWN, barrel, true}, {WM_POINTERDOWN, hover, false},
        {WM_POINTERUPDATE, hover, false}, {WM_POINTERUPDATE, finger, false},
    };
    for (int row = 0; row < (int)(sizeof rows / sizeof rows[0]); ++row) {
        Posted posted[] = {{rows[row].message, rows[row].wParam}, {WM_KEYDOWN, 'Z'}};
        bool stillQueued[2];
        CHECK(RunShowAfter(park, posted, 2, stillQueued), "row %d: the show did not end", row);
        CHECK(!stillQueued[0], "row %d: the input was left queued", row);
        CHECK_EQ(stillQueued[1], rows[row].ends, "row %d (message 0x%x): the later key press still queued",
                 row, rows[row].message);
    }

    // A wheel turn lies outside both ranges: it stays queued and ends nothing.
    Posted wheel[] = {{WM_MOUSEWHEEL, 1}, {WM_KEYDOWN, 'Z'}};
    bool wheelQueued[2];
    CHECK(RunShowAfter(park, wheel, 2, wheelQueued), "the wheel show did not end");
    CHECK(wheelQueued[0] && !wheelQueued[1], "the wheel message stays queued, the key press ends the show");

    // Mouse messages are looked at before a key press that was queued earlier.
    Posted mouseFirst[] = {{WM_KEYDOWN, 'Z'}, {WM_MOUSEMOVE, 1}, {WM_MOUSEMOVE, 2}, {WM_MBUTTONUP, 3}};
    bool queued[4];
    CHECK(RunShowAfter(park, mouseFirst, 4, queued), "the mouse-first show did not end");
    CHECK(!queued[1] && !queued[2] && !queued[3], "every mouse message was taken before the key press");
}

static void TestWhatAShowLeaves(HWND park)
{
    for (int32_t flag = 1; flag >= 0; --flag) {
        alwaysOnTop = flag;
        SetWindowPos(park, flag ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        tickCounter = 77;
        showRunning = 1;
        SetCursor(LoadCursorA(nullptr, IDC_CROSS));
        PostMessageA(park, WM_KEYDOWN, 'Z', 0);
        CHECK(RunGuardedShow(park), "flag %d: the show did not end", flag);
        CHECK_EQ(tickCounter, 0, "flag %d: tick counter", flag);
        CHECK_EQ(showRunning, 0, "flag %d: show-running flag", flag);
        CHECK(GetCursor() == LoadCursorA(nullptr, IDC_ARROW), "flag %d: the pointer is the arrow", flag);
        CHECK(GetCapture() == nullptr, "flag %d: the capture is released", flag);
        bool topmost = (GetWindowLongA(park, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        CHECK_EQ(topmost, flag == 1, "flag %d: the park window's topmost state", flag);
    }
    alwaysOnTop = 1;
    SetWindowPos(park, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

static void TestShowWindows(HWND park)
{
    struct {
        int16_t mode;
        int windows;
    } rows[] = {{SHOW_MARS, 1}, {SHOW_DOUBLE, 2}};
    for (int row = 0; row < 2; ++row) {
        showMode = rows[row].mode;
        showWindowCount = 0;
        PostMessageA(park, WM_KEYDOWN, 'Z', 0);
        CHECK(RunGuardedShow(park), "row %d: the show did not end", row);
        CHECK_EQ(showWindowCount, rows[row].windows, "row %d: show windows", row);
        // The right window takes the rest of the screen, an odd width's last column too.
        int half = rows[row].windows == 2 ? screenWidth >> 1 : screenWidth;
        for (int i = 0; i < rows[row].windows && i < 4; ++i) {
            RECT box = showWindowRects[i];
            int left = i * half, right = i == 0 ? half : screenWidth;
            CHECK(box.left == left && box.top == 0 && box.right == right && box.bottom == screenHeight,
                  "row %d window %d at (%ld,%ld)-(%ld,%ld)", row, i, box.left, box.top, box.right, box.bottom);
            CHECK_EQ((DWORD)showWindowStyles[i], WS_POPUP | WS_VISIBLE, "row %d window %d style", row, i);
            CHECK(!IsWindow(showWindowHandles[i]), "row %d window %d is destroyed", row, i);
        }
    }
    showMode = SHOW_DOUBLE;

    // Without its right window a Double show still makes two steps a frame, so
    // the left window never draws the right ball's picture: one frame, then the key.
    refuseRightShowWindow = true;
    int32_t startX = (screenWidth >> 1) >> 1;
    PostMessageA(park, WM_KEYDOWN, 'Z', 0);
    ArmShowWatchdog();
    BallMotion ball = RunProgramShow(park).firstBall;
    CHECK(!DisarmShowWatchdog(), "the show without a right window did not end");
    CHECK(ball.ballX == startX + 2 * ball.stepX && ball.doubleAlternation == 0,
          "one frame without a right window: ball x %d (from %d, step %d), alternation %d", ball.ballX, startX,
          ball.stepX, ball.doubleAlternation);
    refuseRightShowWindow = false;

    // Without any show window the show ends at once, through its end steps:
    // the counter and the running flag cleared, the pointer back, the park
    // window topmost again.
    refuseEveryShowWindow = true;
    alwaysOnTop = 1;
    showRunning = 1;
    tickCounter = 77;
    CHECK(RunGuardedShow(park), "the show without windows ran on until the watchdog ended it");
    CHECK(showRunning == 0 && tickCounter == 0, "without windows: running %d, counter %d", showRunning, tickCounter);
    CHECK(GetCursor() == LoadCursorA(nullptr, IDC_ARROW), "without windows: the arrow pointer is back");
    CHECK((GetWindowLongA(park, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, "without windows: the park window is topmost");
    refuseEveryShowWindow = false;
}

// Posts a key press to the show's thread after a while.
static DWORD WINAPI PressKeyLater(LPVOID milliseconds)
{
    Sleep(static_cast<DWORD>(reinterpret_cast<INT_PTR>(milliseconds)));
    PostThreadMessageA(watchdogTarget, WM_KEYDOWN, 'Z', 0);
    return 0;
}

// Windows without a performance counter.
static BOOL WINAPI NoCounter(LARGE_INTEGER* value)
{
    value->QuadPart = 0;
    return FALSE;
}

// Stand-ins for the compositor's calls: composition on, and a pass that comes
// a refresh later, at once (as Wine's) or not at all (composition turned off).
static int flushes;
static HRESULT WINAPI CompositionOn(BOOL* enabled)
{
    *enabled = TRUE;
    return S_OK;
}
static HRESULT WINAPI FlushAfterARefresh()
{
    ++flushes;
    Sleep(16);
    return S_OK;
}
static HRESULT WINAPI FlushAtOnce()
{
    ++flushes;
    return S_OK;
}
static HRESULT WINAPI FlushFails()
{
    ++flushes;
    return E_FAIL;
}

// Speed sets the pace on the clock: at the slowest speed a show of half a
// second draws its first frame and no other, while the built-in speed draws
// many, also without a performance counter and whether a compositor paces
// the paints or gives no wait (two flushes that return at once) or fails (one).
static void TestSpeedPacesTheFrames(HWND park)
{
    showMode = SHOW_MARS;
    const struct {
        int32_t speed;
        int least, most;
        bool counter;
        CompositorFlushCall flush;
        int leastFlushes, mostFlushes;
    } rows[] = {{99999, 1, 1, true, nullptr, 0, 0},
                {100000, 1, 1, true, nullptr, 0, 0},
                {60, 10, 40, true, nullptr, 0, 0},
                {60, 10, 40, false, nullptr, 0, 0},
                {60, 10, 40, true, FlushAfterARefresh, 10, 40},
                {60, 10, 40, true, FlushAtOnce, 2, 2},
                {60, 10, 40, true, FlushFails, 1, 1}};
    CompositionEnabledCall realEnabled = compositionEnabled;
    CompositorFlushCall realFlush = compositorFlush;
    for (int row = 0; row < (int)(sizeof rows / sizeof rows[0]); ++row) {
        Speed = rows[row].speed;
        void* frequency = nullptr;
        void* counter = nullptr;
        if (!rows[row].counter) {
            frequency = ReplaceImport("kernel32.dll", "QueryPerformanceFrequency", reinterpret_cast<void*>(NoCounter));
            counter = ReplaceImport("kernel32.dll", "QueryPerformanceCounter", reinterpret_cast<void*>(NoCounter));
            CHECK(frequency != nullptr && counter != nullptr, "row %d: the counter's calls are replaced", row);
        }
        compositionEnabled = rows[row].flush != nullptr ? CompositionOn : nullptr;
        compositorFlush = rows[row].flush;
        flushes = 0;
        ArmShowWatchdog();
        HANDLE presser = CreateThread(nullptr, 0, PressKeyLater, reinterpret_cast<LPVOID>(INT_PTR{500}), 0, nullptr);
        ShowCounts counts = RunProgramShow(park);
        CHECK(!DisarmShowWatchdog(), "row %d: the show did not end", row);
        WaitForSingleObject(presser, INFINITE);
        CloseHandle(presser);
        if (frequency != nullptr)
            ReplaceImport("kernel32.dll", "QueryPerformanceFrequency", frequency);
        if (counter != nullptr)
            ReplaceImport("kernel32.dll", "QueryPerformanceCounter", counter);
        int frames = (counts.firstBall.ballX - screenWidth / 2) / counts.firstBall.stepX;
        CHECK(frames >= rows[row].least && frames <= rows[row].most, "row %d: Speed %d drew %d frames in 0.5 s", row,
              rows[row].speed, frames);
        CHECK_EQ(frames, counts.frames, "row %d: the frames the show counted", row);
        CHECK(flushes >= rows[row].leastFlushes && flushes <= rows[row].mostFlushes, "row %d: %d flushes", row,
              flushes);
    }
    compositionEnabled = realEnabled;
    compositorFlush = realFlush;
    Speed = 60;
    showMode = SHOW_DOUBLE;
}

// The counts of the show under way, kept up to date for the test's thread beside it.
static ShowCounts showCounts;
static volatile LONG framesAtPress;

// Runs one show with a thread of the test's beside it; true when the show
// ended by itself (not by the watchdog).
static bool RunShowBeside(HWND park, LPTHREAD_START_ROUTINE beside)
{
    ArmShowWatchdog();
    HANDLE thread = CreateThread(nullptr, 0, beside, nullptr, 0, nullptr);
    RunProgramShow(park, &showCounts);
    bool ended = !DisarmShowWatchdog();
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return ended;
}

// A clock that jumps a second at its read number stallAt, as when a busy
// machine stops the program there.
static volatile LONG clockReads, stallAt;
static int64_t clockSecond;
static int64_t StallingClock()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart + (InterlockedIncrement(&clockReads) >= stallAt ? clockSecond : 0);
}

static volatile LONG framesAfterStall;
static DWORD WINAPI CountAfterTheStall(LPVOID)
{
    for (int i = 0; i < 5000 && clockReads < stallAt; ++i)
        Sleep(1);
    LONG before = showCounts.frames;
    Sleep(250);
    framesAfterStall = showCounts.frames - before;
    PostThreadMessageA(watchdogTarget, WM_KEYDOWN, 'Z', 0);
    return 0;
}

// After a stall, wherever in the loop it comes (the first frames, a paint, a
// wait, a compositor's pass), the ball goes on at its pace: at Speed 60 some
// 15 frames in a quarter of a second and the few one paint makes up, never
// the second's worth that fell due meanwhile.
static void TestAStallDoesNotHurry(HWND park)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    clockSecond = frequency.QuadPart;
    showMode = SHOW_SPHERE;
    CompositionEnabledCall realEnabled = compositionEnabled;
    CompositorFlushCall realFlush = compositorFlush;
    testClock = StallingClock;
    for (CompositorFlushCall flush : {CompositorFlushCall(nullptr), FlushAfterARefresh}) {
        compositionEnabled = flush != nullptr ? CompositionOn : nullptr;
        compositorFlush = flush;
        for (LONG at = 1; at <= 24; ++at) {
            clockReads = 0;
            stallAt = at;
            showCounts = {};
            CHECK(RunShowBeside(park, CountAfterTheStall), "stall at read %ld: the show did not end", at);
            CHECK(framesAfterStall <= 20, "stall at read %ld%s: %ld frames in 0.25 s after it", at,
                  flush != nullptr ? " (compositor)" : "", framesAfterStall);
        }
    }
    testClock = nullptr;
    compositionEnabled = realEnabled;
    compositorFlush = realFlush;
    showMode = SHOW_DOUBLE;
}

// Presses a key as the keyboard does, through the input queue, in the middle
// of a show's bursts of frames.
static DWORD WINAPI PressKeyInBurst(LPVOID)
{
    for (int i = 0; i < 5000 && showCounts.frames < 300; ++i)
        Sleep(1);
    INPUT key = {};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = 'Z';
    SendInput(1, &key, sizeof key);
    framesAtPress = showCounts.frames;
    key.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &key, sizeof key);
    return 0;
}

// At Speed 1 a paint draws up to two refresh periods' worth of frames (244
// steps in Double mode at 60 Hz); a key press stops the burst at the frame
// being drawn, and the show ends.
static void TestAKeyPressStopsABurst(HWND park)
{
    Speed = 1;
    showMode = SHOW_DOUBLE;
    showCounts = {};
    DrainMessages(WM_KEYFIRST, WM_KEYLAST);
    CHECK(RunShowBeside(park, PressKeyInBurst), "the Speed 1 show did not end");
    CHECK(showCounts.frames - framesAtPress <= 2, "%ld frames after the key press (of %d, in %d paints)",
          showCounts.frames - framesAtPress, showCounts.frames, showCounts.paints);
    DrainMessages(WM_KEYFIRST, WM_KEYLAST);
    Speed = 60;
}

static volatile LONG framesAtWheel, paintsAtWheel, framesAtEnd, paintsAtEnd;

// Turns the wheel through the input queue once the show runs, lets half a
// second of show pass, then presses a key.
static DWORD WINAPI TurnTheWheelInAShow(LPVOID)
{
    for (int i = 0; i < 5000 && showCounts.paints < 5; ++i)
        Sleep(1);
    INPUT wheel = {};
    wheel.type = INPUT_MOUSE;
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    wheel.mi.mouseData = WHEEL_DELTA;
    SendInput(1, &wheel, sizeof wheel);
    framesAtWheel = showCounts.frames;
    paintsAtWheel = showCounts.paints;
    Sleep(500);
    framesAtEnd = showCounts.frames;
    paintsAtEnd = showCounts.paints;
    PostThreadMessageA(watchdogTarget, WM_KEYDOWN, 'Z', 0);
    return 0;
}

// A wheel turn does not end the program's show and stays queued; the bursts
// go on all the same: at Speed 30 on 60 Hz each paint still draws two frames.
static void TestTheWheelLeavesBurstsWhole(HWND park)
{
    Speed = 30;
    showMode = SHOW_MARS;
    showCounts = {}; // the turner waits for this show's paints
    CHECK(RunShowBeside(park, TurnTheWheelInAShow), "the Speed 30 show did not end");
    LONG frames = framesAtEnd - framesAtWheel, paints = paintsAtEnd - paintsAtWheel;
    CHECK(paints >= 10 && frames >= 2 * paints - 2, "after the wheel: %ld frames in %ld paints", frames, paints);
    DrainMessages(WM_MOUSEFIRST, WM_MOUSELAST);
    DrainMessages(0x020A, 0x020E); // the wheels and the side buttons, past older headers' WM_MOUSELAST
    Speed = 60;
    showMode = SHOW_DOUBLE;
}

// Nobody sees the show: the display turned off (a power broadcast, sent as
// Windows sends it) or the screen locked (the session change, posted).
struct UnseenRow {
    UINT message;
    WPARAM off, on;
    bool sent, heeded;
};
static UnseenRow unseenRow;
static volatile LONG paintsBeforeOff, framesAtOff, paintsAtOff, paintsAtOn, framesAtOn, severalAtOn, paintsLast,
    severalLast;

static void TellPark(WPARAM change)
{
    struct {
        GUID setting;
        DWORD dataLength;
        DWORD data;
    } display = {{0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}}, 4,
                 static_cast<DWORD>(change)};
    DWORD_PTR answer;
    if (unseenRow.sent)
        SendMessageTimeoutA(parkWindow, unseenRow.message, 0x8013, reinterpret_cast<LPARAM>(&display), SMTO_NORMAL,
                            2000, &answer);
    else
        PostMessageA(parkWindow, unseenRow.message, change, 0);
}

static DWORD WINAPI HideTheShowAWhile(LPVOID)
{
    for (int i = 0; i < 5000 && showCounts.paints < 5; ++i)
        Sleep(1);
    paintsBeforeOff = showCounts.paints;
    TellPark(unseenRow.off);
    Sleep(100); // taken at the next paint
    framesAtOff = showCounts.frames;
    paintsAtOff = showCounts.paints;
    Sleep(500);
    paintsAtOn = showCounts.paints;
    framesAtOn = showCounts.frames;
    severalAtOn = showCounts.paintsOfSeveralFrames;
    TellPark(unseenRow.on);
    Sleep(500);
    paintsLast = showCounts.paints;
    severalLast = showCounts.paintsOfSeveralFrames;
    PostThreadMessageA(watchdogTarget, WM_KEYDOWN, 'Z', 0);
    return 0;
}

static HANDLE WINAPI RefusePowerSetting(HANDLE, LPCGUID, DWORD)
{
    return nullptr;
}

// While nobody sees it the show paints nothing; seen again, it goes on at
// its pace without a burst of the frames that fell due meanwhile. A lock and
// the unlock after it are both taken by the wait rule. Where Windows refused
// to tell of the display, a broadcast changes nothing. Returns the park
// window, made anew for the refused registration.
static HWND TestAShowNobodySeesSleeps(HWND park)
{
    const UnseenRow rows[] = {{WM_POWERBROADCAST, 0, 1, true, true}, {WM_POWERBROADCAST, 0, 2, true, true},
                {WM_WTSSESSION_CHANGE, 7, 8, false, true}, {WM_WTSSESSION_CHANGE, 2, 1, false, true},
                {WM_POWERBROADCAST, 0, 1, true, false}};
    RegisterPowerSettingCall realRegister = registerPowerSetting;
    showMode = SHOW_MARS;
    for (int row = 0; row < (int)(sizeof rows / sizeof rows[0]); ++row) {
        if (!rows[row].heeded) {
            registerPowerSetting = RefusePowerSetting;
            CloseParkWindow(park);
            park = StartParkWindow();
            KillTimer(park, WAIT_TIMER);
        }
        unseenRow = rows[row];
        showCounts = {};
        CHECK(RunShowBeside(park, HideTheShowAWhile), "row %d: the show did not end", row);
        LONG whileUnseen = paintsAtOn - paintsAtOff, after = paintsLast - paintsAtOn;
        if (rows[row].heeded) {
            CHECK(whileUnseen == 0 && framesAtOn == framesAtOff, "row %d: %ld paints and %ld frames while unseen",
                  row, whileUnseen, framesAtOn - framesAtOff);
            CHECK(paintsAtOff - paintsBeforeOff <= 2, "row %d: %ld paints after the change", row,
                  paintsAtOff - paintsBeforeOff);
        } else {
            CHECK(whileUnseen >= 20, "row %d: %ld paints in 0.5 s after an unheeded broadcast", row, whileUnseen);
        }
        CHECK(after >= 20 && severalLast == severalAtOn, "row %d: seen again, %ld paints in 0.5 s, %ld of them bursts",
              row, after, severalLast - severalAtOn);
        CHECK_EQ(DrainMessages(WM_WTSSESSION_CHANGE, WM_WTSSESSION_CHANGE), 0, "row %d: session changes left queued",
                 row);
    }
    registerPowerSetting = realRegister;
    CloseParkWindow(park);
    park = StartParkWindow();
    KillTimer(park, WAIT_TIMER);
    showMode = SHOW_DOUBLE;
    return park;
}

static void TestNoLeaks(HWND park)
{
    for (int16_t mode : {SHOW_SATURN, SHOW_DOUBLE}) {
        showMode = mode;
        PostMessageA(park, WM_KEYDOWN, 'Z', 0);
        RunGuardedShow(park); // settles caches before counting
        DWORD gdiBefore = CountGdiObjects(), userBefore = CountUserObjects();
        int ended = 0;
        for (int i = 0; i < 200; ++i) {
            PostMessageA(park, i % 2 ? WM_LBUTTONDOWN : WM_KEYDOWN, 'Z', 0);
            ended += RunGuardedShow(park) ? 1 : 0;
        }
        CHECK_EQ(ended, 200, "mode %d: shows that ended by their input", mode);
        CHECK_EQ(CountGdiObjects(), gdiBefore, "mode %d: GDI objects after 200 shows", mode);
        CHECK_EQ(CountUserObjects(), userBefore, "mode %d: USER objects after 200 shows", mode);
    }
    showMode = SHOW_DOUBLE;
}

int main()
{
    HHOOK hook = RecordShowWindowsHook();
    HWND park = StartParkWindow();
    KillTimer(park, WAIT_TIMER); // only the test starts shows here
    TestEndingInput(park);
    TestWhatAShowLeaves(park);
    TestShowWindows(park);
    TestSpeedPacesTheFrames(park);
    TestAStallDoesNotHurry(park);
    TestAKeyPressStopsABurst(park);
    TestTheWheelLeavesBurstsWhole(park);
    park = TestAShowNobodySeesSleeps(park);
    TestNoLeaks(park);
    CloseParkWindow(park);
    UnhookWindowsHookEx(hook);
    return CheckSummary();
}
