// The popup menu and its commands on the real park window: the menu opened by
// the mouse messages and read while it is open, the commands sent as the menu
// sends them, the real show run ended by a key press waiting in the queue.
#include <windows.h>

#include <cstring>

#include "base/globals.h"
#include "app/menu.h"
#include "app/park.h"
#include "check.h"
#include "modal.h"
#include "resources/resource.h"

static HWND park;

// --- What happens around the commands, recorded by hooks --------------------------

static int menuOpenings;        // WM_INITMENU received by the park window
static HMENU initMenuHandle;
static int showWindows;         // popup "static" windows created: the show's windows
static int lastShowWidths[2];
static int dialogsCreated;

static LRESULT CALLBACK WatchMessages(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == park && call->message == WM_INITMENU) {
        ++menuOpenings;
        initMenuHandle = reinterpret_cast<HMENU>(call->wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

static LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (IsClass(window, "Static") && (create->style & WS_POPUP)) {
            // A show's first window stands at the left edge.
            if (create->x == 0) {
                lastShowWidths[0] = create->cx;
                lastShowWidths[1] = 0;
            } else {
                lastShowWidths[1] = create->cx;
            }
            ++showWindows;
        }
        if (IsClass(window, "#32770"))
            ++dialogsCreated;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// --- Opening the menu --------------------------------------------------------------

constexpr int PICTURE_IDS[9] = {IDM_DOUBLE, IDM_EARTH, IDM_EARTHAFRICA, IDM_JUPITER, IDM_MARS,
                                IDM_VENUS, IDM_SATURN, IDM_SUN, IDM_SPHERE};
static bool seenChecked[9], seenTopMostChecked;
constexpr int MONITORS_IDS[3] = {IDM_MONITORS_PRIMARY, IDM_MONITORS_EACH, IDM_MONITORS_ACROSS};
static UINT seenMonitorsType[3], seenMonitorsState[3];
static RECT seenMenu;
static HWND seenForeground;

static void ReadMenuAndClose(HWND menuWindow)
{
    GetWindowRect(menuWindow, &seenMenu);
    seenForeground = GetForegroundWindow();
    for (int i = 0; i < 9; ++i)
        seenChecked[i] = (GetMenuState(popupMenu, PICTURE_IDS[i], MF_BYCOMMAND) & MF_CHECKED) != 0;
    seenTopMostChecked = (GetMenuState(popupMenu, IDM_TOPMOST, MF_BYCOMMAND) & MF_CHECKED) != 0;
    for (int i = 0; i < 3; ++i) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_TYPE | MIIM_STATE;
        seenMonitorsType[i] = seenMonitorsState[i] = 0xdeadbeef;
        if (GetMenuItemInfoA(popupMenu, MONITORS_IDS[i], FALSE, &item)) {
            seenMonitorsType[i] = item.fType;
            seenMonitorsState[i] = item.fState;
        }
    }
    EndMenu();
}

// Sends a mouse message as the park window would get it; true when a menu opened.
static bool ClickPark(UINT message, int x, int y)
{
    int before = menuOpenings;
    seenMenu = RECT{-1, -1, -1, -1};
    StartModalSteps({ReadMenuAndClose});
    LRESULT result = SendMessageA(park, message, MK_LBUTTON, MAKELPARAM(x, y));
    bool opened = StopModalSteps();
    CHECK_EQ(result, 0, "mouse message 0x%x returns 0", message);
    CHECK_EQ(menuOpenings - before, opened ? 1 : 0, "a menu opened exactly when the steps ran");
    // Windows closes a menu on a click elsewhere only when its owner is the
    // foreground window, and wants a message posted after it.
    MSG nudge;
    bool nudged = PeekMessageA(&nudge, park, WM_NULL, WM_NULL, PM_REMOVE) != 0;
    CHECK(!opened || (seenForeground == park && nudged), "message 0x%x: the park window in front (%p), WM_NULL %d",
          message, static_cast<void*>(seenForeground), nudged);
    return opened;
}

// The check marks as the open menu shows them: one picture, and TopMost as the flag says.
static void CheckMarks(int checkedPicture, bool topMost, const char* when)
{
    CHECK(ClickPark(WM_RBUTTONDOWN, 4, 4), "%s: the menu opens", when);
    for (int i = 0; i < 9; ++i)
        CHECK_EQ(seenChecked[i], PICTURE_IDS[i] == checkedPicture, "%s: check mark of %d", when, PICTURE_IDS[i]);
    CHECK_EQ(seenTopMostChecked, topMost, "%s: TopMost check mark", when);
    for (int i = 0; i < 3; ++i) {
        // The checked item's mark is a radio mark. Windows clears the radio type
        // of the others too; Wine keeps it, and an unchecked item shows no mark either way.
        if (i == showMonitors)
            CHECK((seenMonitorsType[i] & MFT_RADIOCHECK) != 0, "%s: Monitors item %d has a radio mark", when, i);
        CHECK_EQ((seenMonitorsState[i] & MFS_CHECKED) != 0, i == showMonitors, "%s: Monitors item %d checked (%d)",
                 when, i, showMonitors);
    }
}

static void TestMarksAfterStart()
{
    // Another window in front: opening the menu brings the park window forward.
    HWND other = CreateWindowExA(0, "static", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 100, 100,
                                 nullptr, nullptr, instanceHandle, nullptr);
    SetForegroundWindow(other);
    PumpMessages(50);
    CHECK(GetForegroundWindow() == other, "another window is in front before the click");
    CheckMarks(IDM_DOUBLE, true, "right after start");
    CHECK(initMenuHandle == GetSubMenu(popupMenu, 0), "the menu shown is submenu 0 of the popup menu");
    DestroyWindow(other);
}

static void TestMenuOpensAtPointer()
{
    RECT client;
    GetClientRect(park, &client);
    const UINT messages[] = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK};
    const struct { int x, y; bool inside; } points[] = {
        {0, 0, true},
        {10, 7, true},
        {client.right - 1, client.bottom - 1, true},
        {client.right, 0, false},
        {0, client.bottom, false},
        {0xFFFF, 3, false},   // x -1 read as an unsigned 16-bit value
        {3, 0xFFFF, false},
    };
    for (UINT message : messages) {
        int row = 0;
        for (const auto& point : points) {
            bool opened = ClickPark(message, point.x, point.y);
            CHECK_EQ(opened, point.inside, "message 0x%x, row %d: the menu opens inside the client area only",
                     message, row);
            if (opened && point.inside) {
                POINT corner = {point.x, point.y};
                ClientToScreen(park, &corner);
                CHECK(seenMenu.left == corner.x && seenMenu.top == corner.y,
                      "message 0x%x, row %d: menu at %ld,%ld, pointer at %ld,%ld", message, row,
                      seenMenu.left, seenMenu.top, corner.x, corner.y);
            }
            ++row;
        }
    }
}

static void TestNoMenuLoaded()
{
    HMENU kept = popupMenu;
    popupMenu = nullptr;
    CHECK(!ClickPark(WM_LBUTTONDOWN, 4, 4), "without a menu a click opens nothing");
    popupMenu = kept;
}

// --- Commands --------------------------------------------------------------------------

// Sends a command as the menu does; a show it starts is ended by a key press queued
// beforehand. Returns the number of show windows it made.
static int Command(int id, bool expectShow)
{
    int before = showWindows;
    ArmShowWatchdog();
    if (expectShow)
        QueueKeyPressForShow();
    LRESULT result = SendMessageA(park, WM_COMMAND, id, 0);
    CHECK(!DisarmShowWatchdog(), "command %d: no show left running", id);
    MSG unused; // a key press queued for a show that did not come must not end a later one
    while (PeekMessageA(&unused, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
    }
    CHECK_EQ(result, 0, "command %d returns 0", id);
    return showWindows - before;
}

static void TestPictureCommands()
{
    for (int id : PICTURE_IDS) {
        tickCounter = 77;
        int windows = Command(id, true);
        CHECK_EQ(showMode, id, "command %d stores the show mode", id);
        CHECK_EQ(tickCounter, 0, "command %d: the show ran and reset the tick counter", id);
        if (id == IDM_DOUBLE) {
            CHECK_EQ(windows, 2, "Double shows two windows");
            CHECK(lastShowWidths[0] == screenWidth / 2 && lastShowWidths[1] == screenWidth / 2, "two halves");
        } else {
            CHECK_EQ(windows, 1, "command %d shows one window", id);
            CHECK_EQ(lastShowWidths[0], screenWidth, "command %d: a full-screen window", id);
        }
    }
}

static void TestMars()
{
    CHECK_EQ(Command(IDM_MARS, true), 1, "Mars starts a show at once");
    CheckMarks(IDM_MARS, true, "after Mars");
    CHECK_EQ(Command(IDM_MARS, true), 1, "Mars again starts a show although it is checked");
    CHECK_EQ(showMode, IDM_MARS, "still Mars");
}

static void TestTestBournce()
{
    int16_t before = showMode;
    CHECK_EQ(Command(IDM_TESTBOURNCE, true), 1, "TestBournce starts a show at once");
    CHECK_EQ(showMode, before, "TestBournce keeps the show mode");
}

static bool IsTopMost()
{
    return (GetWindowLongA(park, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

static void TestTopMost()
{
    CHECK(IsTopMost(), "the park window starts topmost");
    CHECK_EQ(Command(IDM_TOPMOST, false), 0, "TopMost starts no show");
    CHECK_EQ(alwaysOnTop, 0, "TopMost flips the flag off");
    CHECK(!IsTopMost(), "WS_EX_TOPMOST follows the flag off");
    CheckMarks(IDM_MARS, false, "after TopMost");
    // The notification code in the high word is not looked at.
    SendMessageA(park, WM_COMMAND, MAKEWPARAM(IDM_TOPMOST, 1), 0);
    CHECK_EQ(alwaysOnTop, 1, "TopMost again flips the flag on");
    CHECK(IsTopMost(), "WS_EX_TOPMOST follows the flag on");
    CheckMarks(IDM_MARS, true, "after TopMost twice");
}

// Each Monitors item holds its value, writes it and shows at once, checked or not.
static void TestMonitors()
{
    TemporarySettingsPath(settingsPath, "monitors");
    WriteFileBytes(settingsPath, "[bounceinit]\r\nTimeInterval=5\r\n");
    const struct { int id; int32_t value; const char* file; } rows[] = {
        {IDM_MONITORS_EACH, 1, "[bounceinit]\r\nTimeInterval=5\r\nShowMonitors=1\r\n"},
        {IDM_MONITORS_ACROSS, 2, "[bounceinit]\r\nTimeInterval=5\r\nShowMonitors=2\r\n"},
        {IDM_MONITORS_ACROSS, 2, "[bounceinit]\r\nTimeInterval=5\r\nShowMonitors=2\r\n"},
        {IDM_MONITORS_PRIMARY, 0, "[bounceinit]\r\nTimeInterval=5\r\nShowMonitors=0\r\n"},
    };
    int row = 0;
    for (const auto& want : rows) {
        int16_t mode = showMode;
        int windows = Command(want.id, true);
        CHECK_EQ(showMonitors, want.value, "Monitors row %d: the value in memory", row);
        CHECK(windows >= 1, "Monitors row %d: a show at once (%d windows)", row, windows);
        CHECK_EQ(showMode, mode, "Monitors row %d: the show mode stays", row);
        char file[256] = {};
        ReadFileBytes(settingsPath, file, sizeof file);
        CHECK(std::strcmp(file, want.file) == 0, "Monitors row %d: the file afterwards:\n%s", row, file);
        CheckMarks(showMode, alwaysOnTop == 1, "after Monitors");
        ++row;
    }
}

// --- The dialogs behind the commands ---------------------------------------------------

static HWND seenOwner;

static void RecordOwner(HWND dialog)
{
    seenOwner = GetWindow(dialog, GW_OWNER);
}

static void TestSetTime()
{
    TemporarySettingsPath(settingsPath, "settime");
    WriteFileBytes(settingsPath, "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\n");
    seenOwner = nullptr;
    StartModalSteps({
        RecordOwner,
        [](HWND dialog) {
            HWND box = GetDlgItem(dialog, IDC_MINUTES);
            SendMessageA(box, EM_SETSEL, 0, -1);
            SendMessageA(box, WM_CHAR, '1', 1);
            SendMessageA(box, WM_CHAR, '0', 1);
        },
        [](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); },
    });
    int windows = Command(IDM_SETTIME, false);
    CHECK(StopModalSteps(), "SetTime: the dialog ran its steps");
    CHECK(seenOwner == park, "SetTime: the dialog is owned by the park window");
    CHECK_EQ(windows, 0, "SetTime with OK starts no show");
    CHECK_EQ(waitLimit, 2400, "SetTime: 10 minutes taken");

    StartModalSteps({[](HWND dialog) { PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0); }});
    windows = Command(IDM_SETTIME, false);
    CHECK(StopModalSteps(), "SetTime: Escape");
    CHECK_EQ(windows, 0, "SetTime with Escape starts no show");
    waitLimit = 1200; // no timed show during the rest of the test
}

static void TestImageSelect()
{
    TemporarySettingsPath(settingsPath, "imageselect");
    WriteFileBytes(settingsPath, "[bounceinit]\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n");
    const ModalStep endings[] = {
        [](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); },
        [](HWND dialog) { PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    int row = 0;
    for (ModalStep ending : endings) {
        StartModalSteps({[](HWND dialog) { SendMessageA(GetDlgItem(dialog, 116), BM_CLICK, 0, 0); }, ending});
        int windows = Command(IDM_IMAGESELECT, false);
        CHECK(StopModalSteps(), "ImageSelect row %d: the dialog ran its steps", row);
        CHECK_EQ(windows, 0, "ImageSelect row %d: no show without OK", row);
        CHECK_EQ(BowlNo_2, 10016, "ImageSelect row %d: the click stays in memory", row);
        CHECK_EQ(pairAccepted, 0, "ImageSelect row %d: not accepted", row);
        ++row;
    }
}

static void TestImageSelectOk()
{
    TemporarySettingsPath(settingsPath, "imageselectok");
    WriteFileBytes(settingsPath, "[bounceinit]\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n");
    int16_t before = showMode;
    seenOwner = nullptr;
    StartModalSteps({
        RecordOwner,
        [](HWND dialog) {
            QueueKeyPressForShow();
            SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        },
    });
    int windows = Command(IDM_IMAGESELECT, false);
    CHECK(StopModalSteps(), "ImageSelect OK: the dialog ran its steps");
    CHECK(seenOwner == park, "ImageSelect: the dialog is owned by the park window");
    CHECK_EQ(pairAccepted, 1, "accepted");
    CHECK_EQ(windows, before == IDM_DOUBLE ? 2 : 1, "OK starts a show in the current show mode");
    CHECK_EQ(showMode, before, "the show mode stays");

    // A dialog that cannot open starts no show, whatever an earlier OK left behind.
    instanceHandle = GetModuleHandleA("kernel32.dll");
    CHECK_EQ(Command(IDM_IMAGESELECT, false), 0, "ImageSelect that cannot open starts no show");
    instanceHandle = GetModuleHandleA(nullptr);
}

static void TestAbout()
{
    seenOwner = nullptr;
    seenBoxCount = 0;
    StartModalSteps({RecordOwner, [](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDC_ABOUT_PICTURE), BM_CLICK, 0, 0); }});
    CHECK_EQ(Command(IDM_ABOUT, false), 0, "About starts no show");
    CHECK(StopModalSteps(), "About: the box ran its steps");
    CHECK(seenOwner == park, "the About box is owned by the park window");
    CHECK_EQ(seenBoxCount, 0, "no message when the box opens");

    // A box that cannot be made: the message, owned by the park window, empty caption.
    instanceHandle = GetModuleHandleA("kernel32.dll");
    StartModalSteps({RecordMessageBoxAndClose});
    Command(IDM_ABOUT, false);
    CHECK(StopModalSteps(), "About failure: the message came and was answered");
    instanceHandle = GetModuleHandleA(nullptr);
    CHECK_EQ(seenBoxCount, 1, "one message");
    CHECK(lstrcmpW(seenBoxes[0].text, L"ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽが開けません。") == 0, "the failure text");
    CHECK(seenBoxes[0].caption[0] == L'\0', "an empty caption");
    CHECK(seenBoxes[0].owner == park, "owned by the park window");
}

// --- Ids the menu does not have ------------------------------------------------------

struct Snapshot {
    int16_t showMode;
    int32_t alwaysOnTop, pairAccepted, BowlNo_1, BowlNo_2, waitLimit, Speed;
    bool topMost;
    int showWindows, dialogsCreated, menuOpenings;
    char file[256];
};

static Snapshot TakeSnapshot()
{
    Snapshot now;
    std::memset(&now, 0, sizeof now); // the padding too, for memcmp
    now.showMode = showMode;
    now.alwaysOnTop = alwaysOnTop;
    now.pairAccepted = pairAccepted;
    now.BowlNo_1 = BowlNo_1;
    now.BowlNo_2 = BowlNo_2;
    now.waitLimit = waitLimit;
    now.Speed = Speed;
    now.topMost = IsTopMost();
    now.showWindows = showWindows;
    now.dialogsCreated = dialogsCreated;
    now.menuOpenings = menuOpenings;
    ReadFileBytes(settingsPath, now.file, sizeof now.file);
    return now;
}

static void TestUnknownIds()
{
    TemporarySettingsPath(settingsPath, "unknown");
    WriteFileBytes(settingsPath, "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n");
    const int ids[] = {0, 1, 2, 100, 10009, 10019, 10020, 10021, 10022, 10028, 10033, 40000, 65535};
    for (int id : ids) {
        Snapshot before = TakeSnapshot();
        CHECK_EQ(Command(id, false), 0, "id %d starts no show", id);
        Snapshot after = TakeSnapshot();
        CHECK(std::memcmp(&before, &after, sizeof before) == 0, "id %d changes nothing", id);
        MSG posted;
        CHECK(!PeekMessageA(&posted, park, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_NOREMOVE)
                  && !PeekMessageA(&posted, park, WM_CLOSE, WM_CLOSE, PM_NOREMOVE)
                  && !PeekMessageA(&posted, park, WM_COMMAND, WM_COMMAND, PM_NOREMOVE),
              "id %d posts nothing", id);
    }
    // The same checks run for any menu that opens; the system menu has none of these ids.
    HMENU systemMenu = GetSystemMenu(park, FALSE);
    int count = GetMenuItemCount(systemMenu);
    UINT statesBefore[32] = {}, statesAfter[32] = {};
    for (int i = 0; i < count && i < 32; ++i)
        statesBefore[i] = GetMenuState(systemMenu, i, MF_BYPOSITION);
    Snapshot before = TakeSnapshot();
    CHECK_EQ(SendMessageA(park, WM_INITMENU, reinterpret_cast<WPARAM>(systemMenu), 0), 0, "WM_INITMENU returns 0");
    for (int i = 0; i < count && i < 32; ++i)
        statesAfter[i] = GetMenuState(systemMenu, i, MF_BYPOSITION);
    CHECK(std::memcmp(statesBefore, statesAfter, sizeof statesBefore) == 0, "the system menu is unchanged");
    Snapshot after = TakeSnapshot();
    after.menuOpenings = before.menuOpenings;
    CHECK(std::memcmp(&before, &after, sizeof before) == 0, "nothing else changed");
}

// --- Exit, last: it ends the park window -------------------------------------------------

static void TestExit()
{
    CHECK_EQ(SendMessageA(park, WM_COMMAND, IDM_EXIT, 0), 0, "Exit returns 0");
    MSG posted;
    bool queued = PeekMessageA(&posted, park, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE) != 0;
    CHECK(queued, "Exit posts WM_SYSCOMMAND to the park window");
    CHECK(queued && posted.wParam == SC_CLOSE && posted.lParam == 0, "with SC_CLOSE and lParam 0");
    CHECK(IsWindow(park) && popupMenu != nullptr, "nothing closed before the message is handled");
    if (queued)
        DispatchMessageA(&posted);
    CHECK(popupMenu == nullptr, "the park window's teardown ran");
    CHECK(PeekMessageA(&posted, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && posted.wParam == 0,
          "the quit message with 0 follows");
}

static void CreatePark()
{
    WNDCLASSA parkClass = {};
    parkClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    parkClass.lpfnWndProc = ParkWndProc;
    parkClass.hInstance = instanceHandle;
    parkClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    parkClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    parkClass.lpszClassName = PARK_CLASS;
    RegisterClassA(&parkClass);
    screenWidth = GetSystemMetrics(SM_CXSCREEN);
    screenHeight = GetSystemMetrics(SM_CYSCREEN);
    park = CreateParkWindow();
    parkWindow = park;
    ShowWindow(park, SW_SHOWNORMAL);
    UpdateWindow(park);
    // Up from the bottom edge, so that the menu fits below the pointer.
    SetWindowPos(park, nullptr, 200, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpMessages(100);
}

int main()
{
    instanceHandle = GetModuleHandleA(nullptr);
    TemporarySettingsPath(settingsPath, "start");
    HHOOK messages = SetWindowsHookExA(WH_CALLWNDPROC, WatchMessages, nullptr, GetCurrentThreadId());
    HHOOK creation = SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    CreatePark();
    CHECK(park != nullptr && popupMenu != nullptr, "the park window and its menu exist");

    TestMarksAfterStart();
    TestMenuOpensAtPointer();
    TestNoMenuLoaded();
    TestPictureCommands();
    TestMars();
    TestTestBournce();
    TestTopMost();
    TestMonitors();
    TestSetTime();
    TestImageSelect();
    TestImageSelectOk();
    TestAbout();
    TestUnknownIds();
    TestExit();

    UnhookWindowsHookEx(creation);
    UnhookWindowsHookEx(messages);
    return CheckSummary();
}
