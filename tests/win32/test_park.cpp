// The park window in this process: size and captions, the wait rule with real
// WM_TIMER messages, Windows' notification states and the level of another
// program in front, the missing-menu message, and teardown.
#include "showtest.h"

#include "app/frontlevel.h"
#include "app/fullscreen.h"
#include "app/menu.h"
#include "app/waitrule.h"
#include "resources/resource.h"

#include <cstring>

// Sends ticks until a show starts. The key press queued first ends that show
// at once. Returns the number of the tick that started it, 0 for none.
static int TicksUntilShow(HWND park, int mostTicks)
{
    DrainMessages(WM_KEYFIRST, WM_KEYLAST);
    PostMessageA(park, WM_KEYDOWN, VK_SPACE, 0);
    for (int tick = 1; tick <= mostTicks; ++tick) {
        int before = showWindowCount;
        SendMessageA(park, WM_TIMER, WAIT_TIMER, 0);
        if (showWindowCount != before)
            return tick;
    }
    return 0;
}

static void TestWaitRule(HWND park)
{
    struct {
        int32_t limit;
        int startingTick;
    } rows[] = {{1200, 1202}, {0, 2}, {-5, 1}, {INT32_MIN, 1}, {3, 5}};
    for (int row = 0; row < (int)(sizeof rows / sizeof rows[0]); ++row) {
        waitLimit = rows[row].limit;
        tickCounter = 0;
        showRunning = 0;
        CHECK_EQ(TicksUntilShow(park, 1300), rows[row].startingTick, "row %d", row);
        CHECK_EQ(tickCounter, 0, "row %d: the tick counter after the show", row);
        CHECK_EQ(showRunning, 0, "row %d: the show-running flag after the show", row);
        // The wait starts again from the end of the show.
        CHECK_EQ(TicksUntilShow(park, 1300), rows[row].startingTick, "row %d, second show", row);
    }

    // While a timed show is flagged as running, no tick starts another.
    waitLimit = 0;
    tickCounter = 0;
    showRunning = 1;
    CHECK_EQ(TicksUntilShow(park, 50), 0, "a show started while one was running");
    CHECK_EQ(tickCounter, 50, "ticks counted while a show was running");
    showRunning = 0;
    DrainMessages(WM_KEYFIRST, WM_KEYLAST);
    waitLimit = 1200;
    tickCounter = 0;
}

// Stands in for SHQueryUserNotificationState, whose Wine version always says
// the user accepts notifications (5).
static int notificationState;
static HRESULT notificationAnswer;
static HRESULT WINAPI StandInNotificationState(int* state)
{
    *state = notificationState;
    return notificationAnswer;
}

// Each answer through real ticks. startingTick 0: held back for 40 ticks;
// then the user accepts notifications and the show comes at tickAfter.
static void TestNotificationStates(HWND park)
{
    LookInFront(); // the calls are looked up at the first look
    QueryNotificationStateCall windowsOwn = queryNotificationState;
    queryNotificationState = StandInNotificationState;
    struct {
        int state;
        HRESULT answer;
        int startingTick, tickAfter;
    } rows[] = {{0, S_OK, 5, 0}, {1, S_OK, 0, 6}, {2, S_OK, 5, 0}, {3, S_OK, 0, 1}, {4, S_OK, 0, 1},
                {5, S_OK, 5, 0}, {6, S_OK, 5, 0}, {7, S_OK, 5, 0}, {1, E_FAIL, 5, 0}, {3, E_FAIL, 5, 0}};
    waitLimit = 3;
    for (int row = 0; row < (int)(sizeof rows / sizeof rows[0]); ++row) {
        tickCounter = 0;
        notificationState = rows[row].state;
        notificationAnswer = rows[row].answer;
        CHECK_EQ(TicksUntilShow(park, 40), rows[row].startingTick, "row %d", row);
        notificationState = 5;
        notificationAnswer = S_OK;
        if (rows[row].startingTick == 0)
            CHECK_EQ(TicksUntilShow(park, 40), rows[row].tickAfter, "row %d, then 5", row);
    }
    queryNotificationState = windowsOwn;
    DrainMessages(WM_KEYFIRST, WM_KEYLAST);
    waitLimit = 1200;
    tickCounter = 0;
}

// Another program in front: a second copy of this test program, started with
// "other", shows a captioned window until it is ended.
static int RunOtherProgram()
{
    HWND window = CreateWindowExA(0, "static", "ParkTestOther", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 300,
                                  200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

// Wine has no foreground lock: any process may give any window the foreground.
static bool BringToFront(HWND window)
{
    for (int wait = 0; wait < 100 && GetForegroundWindow() != window; ++wait) {
        SetForegroundWindow(window);
        PumpMessages(20);
    }
    return GetForegroundWindow() == window;
}

static int32_t levelAnswer;
static DWORD askedProcess;
static int32_t StandInLevel(DWORD process)
{
    askedProcess = process;
    return levelAnswer;
}

// A program above this one in front, or one that cannot be asked, holds the
// timed show back whatever ShowOverFullScreen says; the show comes at the
// first tick after it answers as this one's equal, the wait not started again.
// Under Wine every program has this one's level, so a stand-in answers.
static void TestProgramAboveInFront(HWND park)
{
    char path[MAX_PATH], line[MAX_PATH + 16];
    GetModuleFileNameA(nullptr, path, sizeof path);
    wsprintfA(line, "\"%s\" other", path);
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION program = {};
    CreateProcessA(path, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &program);
    HWND other = nullptr;
    for (int wait = 0; wait < 200 && other == nullptr; ++wait, Sleep(50))
        other = FindWindowA("static", "ParkTestOther");
    CHECK(other != nullptr, "the other program's window");
    CHECK_EQ(ProcessLevelAgainstOwn(program.dwProcessId), LEVEL_EQUAL, "Windows' answer for a program it started");
    CHECK_EQ(ProcessLevelAgainstOwn(GetCurrentProcessId()), LEVEL_EQUAL, "Windows' answer for this program");

    // The last row: this program's own window in front is never asked about.
    frontProgramLevel = StandInLevel;
    struct {
        HWND front;
        int32_t level, showOver;
        int startingTick;
    } rows[] = {{other, LEVEL_HIGHER, 0, 0}, {other, LEVEL_REFUSED, 0, 0}, {other, LEVEL_HIGHER, 1, 0},
                {other, LEVEL_REFUSED, 1, 0}, {other, LEVEL_EQUAL, 0, 5},   {other, LEVEL_LOWER, 0, 5},
                {other, LEVEL_MISSING, 0, 5}, {other, LEVEL_EQUAL, 1, 5},   {park, LEVEL_HIGHER, 0, 5}};
    waitLimit = 3;
    for (int row = 0; row < (int)(sizeof rows / sizeof rows[0]); ++row) {
        // The wait timer's own ticks may come while the foreground changes.
        CHECK(BringToFront(rows[row].front), "row %d: the window in front", row);
        tickCounter = 0;
        showOverFullScreen = rows[row].showOver;
        levelAnswer = rows[row].level;
        askedProcess = 0;
        CHECK_EQ(TicksUntilShow(park, 40), rows[row].startingTick, "row %d", row);
        CHECK_EQ(askedProcess, rows[row].front == park ? 0 : program.dwProcessId, "row %d: the program asked", row);
        if (rows[row].startingTick != 0)
            continue;
        CHECK_EQ(tickCounter, 4, "row %d: the counter held past the wait", row);
        levelAnswer = LEVEL_EQUAL;
        CHECK_EQ(TicksUntilShow(park, 40), 1, "row %d, then equal", row);
    }

    // A show from the menu is not held back.
    levelAnswer = LEVEL_HIGHER;
    CHECK(BringToFront(other), "the other program in front for the menu's show");
    PostMessageA(park, WM_KEYDOWN, VK_SPACE, 0);
    int before = showWindowCount;
    SendMessageA(park, WM_COMMAND, IDM_TESTBOURNCE, 0);
    CHECK(showWindowCount != before, "the menu's show over a program above this one");

    frontProgramLevel = ProcessLevelAgainstOwn;
    showOverFullScreen = 0;
    TerminateProcess(program.hProcess, 0);
    CloseHandle(program.hProcess);
    CloseHandle(program.hThread);
    DrainMessages(WM_KEYFIRST, WM_KEYLAST);
    waitLimit = 1200;
    tickCounter = 0;
}

static void TestSizeAndCaption(HWND park)
{
    RECT box;
    char caption[64];
    GetWindowRect(park, &box);
    CHECK_EQ(box.left, 0, "park window left");
    CHECK_EQ(box.top, screenHeight - 80, "park window top");
    CHECK_EQ(box.right - box.left, PARK_WIDTH, "park window width");
    CHECK_EQ(box.bottom - box.top, PARK_HEIGHT, "park window height");
    CHECK((GetWindowLongA(park, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, "the park window starts topmost");

    // The caption buttons are Marlett glyphs: without that font they read "0 1 r".
    HDC dc = GetDC(park);
    HFONT marlett = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Marlett");
    HGDIOBJ previous = SelectObject(dc, marlett);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, previous);
    DeleteObject(marlett);
    ReleaseDC(park, dc);
    CHECK(std::strcmp(face, "Marlett") == 0, "the caption buttons' font is found (got '%s')", face);

    ShowWindow(park, SW_MINIMIZE);
    PumpMessages(100);
    GetWindowTextA(park, caption, sizeof caption);
    CHECK(std::strcmp(caption, "Fire") == 0, "minimized caption '%s'", caption);
    // The wait goes on while minimized.
    tickCounter = 0;
    SendMessageA(park, WM_TIMER, WAIT_TIMER, 0);
    CHECK_EQ(tickCounter, 1, "a tick counted while minimized");

    ShowWindow(park, SW_RESTORE);
    PumpMessages(100);
    GetWindowTextA(park, caption, sizeof caption);
    CHECK(std::strcmp(caption, "Hoplette") == 0, "restored caption '%s'", caption);
    GetWindowRect(park, &box);
    CHECK_EQ(box.right - box.left, PARK_WIDTH, "restored width");
    CHECK_EQ(box.bottom - box.top, PARK_HEIGHT, "restored height");

    // A frame drag to another size springs back, keeping the top-left corner.
    SetWindowPos(park, nullptr, 40, 300, 260, 190, SWP_NOZORDER);
    PumpMessages(50);
    GetWindowRect(park, &box);
    CHECK(box.left == 40 && box.top == 300, "moved to (%ld, %ld)", box.left, box.top);
    CHECK_EQ(box.right - box.left, PARK_WIDTH, "width after a resize");
    CHECK_EQ(box.bottom - box.top, PARK_HEIGHT, "height after a resize");
    SetWindowPos(park, nullptr, 0, screenHeight - 80, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

static void TestTeardown()
{
    HWND park = StartParkWindow();
    CHECK(popupMenu != nullptr, "the popup menu is loaded at creation");
    CHECK(parkPictures.loaded[0] != nullptr && parkPictures.loaded[1] != nullptr,
          "Double mode's pictures are loaded at creation");
    HBITMAP first = parkPictures.loaded[0], second = parkPictures.loaded[1];
    HMENU menu = popupMenu;

    SendMessageA(park, WM_CLOSE, 0, 0);
    CHECK(IsWindow(park), "WM_CLOSE leaves the window to the message loop's end");
    CHECK(!IsMenu(menu), "the menu is destroyed");
    CHECK(GetObjectType(first) == 0 && GetObjectType(second) == 0, "both pictures are deleted");
    CHECK(popupMenu == nullptr && parkPictures.loaded[0] == nullptr && parkPictures.loaded[1] == nullptr,
          "no handle left behind");
    DestroyWindow(park); // WM_DESTROY after the close: nothing released twice
    CHECK_EQ(DrainMessages(WM_QUIT, WM_QUIT), 1, "quit messages posted by close and destroy");
    PumpMessages(600);
    CHECK_EQ(DrainMessages(WM_TIMER, WM_TIMER), 0, "timer messages after teardown");
}

// Answers the missing-menu message box from inside its own loop, noting what it said.
static int messageBoxCount;
static char messageBoxText[128], messageBoxCaption[64] = "unset";
static HWND messageBoxOwner;

static BOOL CALLBACK FindMessageText(HWND child, LPARAM)
{
    char className[16], text[128];
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(className, "static") == 0 && text[0] != '\0')
        lstrcpynA(messageBoxText, text, sizeof messageBoxText);
    return TRUE;
}

static LRESULT CALLBACK AnswerMessageBox(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[16];
        GetClassNameA(box, className, sizeof className);
        if (std::strcmp(className, "#32770") == 0) {
            ++messageBoxCount;
            GetWindowTextA(box, messageBoxCaption, sizeof messageBoxCaption);
            messageBoxOwner = GetWindow(box, GW_OWNER);
            EnumChildWindows(box, FindMessageText, 0);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

static void TestMissingMenu()
{
    HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerMessageBox, nullptr, GetCurrentThreadId());
    // A module without the menu (or the pictures) stands in for a damaged program.
    HINSTANCE own = GetModuleHandleA(nullptr);
    HWND park = nullptr;
    {
        static bool registered;
        instanceHandle = GetModuleHandleA("kernel32.dll");
        if (!registered)
            registered = RegisterParkClass();
        park = CreateParkWindow();
    }
    UnhookWindowsHookEx(hook);
    CHECK(park != nullptr, "the park window is created without its menu");
    CHECK_EQ(messageBoxCount, 1, "message boxes for the missing menu");
    CHECK(std::strcmp(messageBoxText, "ﾌﾛｰﾃｨﾝｸﾞ･ﾎﾟｯﾌﾟｱｯﾌﾟ･ﾒﾆｭｰがありません。") == 0, "message text in code page 932");
    CHECK(messageBoxCaption[0] == '\0', "empty caption, got '%s'", messageBoxCaption);
    CHECK(messageBoxOwner == park, "the park window owns the message box");
    CHECK(popupMenu == nullptr, "no menu handle");

    // Without a menu the window still counts and starts shows.
    ShowWindow(park, SW_SHOWNORMAL);
    waitLimit = 0;
    tickCounter = 0;
    CHECK_EQ(TicksUntilShow(park, 10), 2, "a show without the menu");
    SendMessageA(park, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5)); // opens nothing, must not crash
    CloseParkWindow(park);
    instanceHandle = own;
    waitLimit = 1200;
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "other") == 0)
        return RunOtherProgram();
    HHOOK hook = RecordShowWindowsHook();
    HWND park = StartParkWindow();
    TestSizeAndCaption(park);
    TestWaitRule(park);
    TestNotificationStates(park);
    TestProgramAboveInFront(park);
    CloseParkWindow(park);
    TestTeardown();
    TestMissingMenu();
    UnhookWindowsHookEx(hook);
    return CheckSummary();
}
