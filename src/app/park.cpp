// The park window procedure: size and caption, the wait timer, teardown.
#include "park.h"

#include "../show/display.h"
#include "../show/monitors.h"
#include "../show/show.h"
#include "fullscreen.h"
#include "../base/dpi.h"
#include "../base/globals.h"
#include "../base/numbers.h"
#include "../base/scale.h"
#include "desktoprules.h"
#include "menu.h"
#include "programshow.h"
#include "waitrule.h"

// "There is no floating popup menu", in code page 932.
static const char MENU_MISSING_TEXT[] = "ﾌﾛｰﾃｨﾝｸﾞ･ﾎﾟｯﾌﾟｱｯﾌﾟ･ﾒﾆｭｰがありません。";

// AWAY_ bits of waitrule.h: why no timed show may come now.
static int32_t userAway;

// What Windows tells the park window of the display; null where it tells nothing.
static HANDLE displayNotifications;

ShowPictures parkPictures;

// The display's aspect values, measured once when the park window is made.
static int32_t parkAspectX, parkAspectY;

// The park window's pixels per inch: its sizes are given for 96.
static int32_t parkDpi = STANDARD_DPI;

// WM_CLOSE and WM_DESTROY both tear down; whichever comes second finds nothing left to do.
static bool parkTornDown;

// The desktop the park window was last placed for, and whether Windows has
// told of a change since: WM_DISPLAYCHANGE may bring one that the layout
// does not show (two monitors swapped).
static DesktopLayout parkDesktop;
static bool desktopChangeTold;

// The primary monitor's size, looked at afresh: the desktop can change under
// a program that runs for days. True when it has.
static bool RefreshScreenSize()
{
    int32_t width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    bool changed = width != screenWidth || height != screenHeight;
    screenWidth = width;
    screenHeight = height;
    return changed;
}

// Windows 95 has no virtual screen: its box is then all zero, and only the
// primary size tells.
static DesktopLayout DesktopNow()
{
    RefreshScreenSize();
    int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    ScreenBox all = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                     top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return DesktopLayout{screenWidth, screenHeight, all};
}

static ScreenBox BoxOf(const RECT& box)
{
    return ScreenBox{box.left, box.top, box.right, box.bottom};
}

static ScreenBox monitorBoxes[MOST_SHOW_MONITORS];
static int32_t monitorBoxCount;

// The monitors now; where Windows lists none, the primary screen.
static void ListMonitors()
{
    monitorBoxCount = ListShowMonitors(monitorBoxes, MOST_SHOW_MONITORS);
    if (monitorBoxCount == 0)
        monitorBoxes[monitorBoxCount++] = ScreenBox{0, 0, screenWidth, screenHeight};
}

// A minimized park window keeps its rule for its restored place, and stays
// minimized. That place is in work area coordinates.
static void PlaceMinimizedPark(HWND window, int32_t oldCornerTop, int32_t newCornerTop)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    RECT work = {};
    if (!GetWindowPlacement(window, &placement) || !SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        return;
    RECT restored = placement.rcNormalPosition;
    OffsetRect(&restored, work.left, work.top);
    ParkPlace place =
        ParkAfterDesktopChange(BoxOf(restored), oldCornerTop, newCornerTop, monitorBoxes, monitorBoxCount);
    if (place.left == restored.left && place.top == restored.top)
        return;
    OffsetRect(&placement.rcNormalPosition, place.left - restored.left, place.top - restored.top);
    placement.showCmd = SW_SHOWMINNOACTIVE;
    SetWindowPlacement(window, &placement);
}

// After a change of the desktop the park window stays where the user can
// reach it: see ParkAfterDesktopChange. Its size, topmost state and caption
// stay as they are; a move never activates it.
static void FollowDesktop(HWND window)
{
    DesktopLayout now = DesktopNow();
    if (SameDesktop(now, parkDesktop) && !desktopChangeTold)
        return;
    int32_t oldCornerTop = ParkCornerTop(parkDesktop.height, parkDpi);
    int32_t newCornerTop = ParkCornerTop(now.height, parkDpi);
    parkDesktop = now;
    desktopChangeTold = false;
    ListMonitors();
    if (IsIconic(window)) {
        PlaceMinimizedPark(window, oldCornerTop, newCornerTop);
        return;
    }
    RECT box;
    if (!GetWindowRect(window, &box))
        return;
    ParkPlace place = ParkAfterDesktopChange(BoxOf(box), oldCornerTop, newCornerTop, monitorBoxes, monitorBoxCount);
    if (place.left != box.left || place.top != box.top)
        SetWindowPos(window, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool RegisterParkClass()
{
    WNDCLASSA parkClass = {};
    parkClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS; // the menu opens on double-clicks too
    parkClass.lpfnWndProc = ParkWndProc;
    parkClass.hInstance = instanceHandle;
    parkClass.hIcon = LoadIconA(instanceHandle, "AppIcon");
    parkClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    parkClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    parkClass.lpszClassName = PARK_CLASS;
    return RegisterClassA(&parkClass) != 0;
}

HWND CreateParkWindow()
{
    // On the primary monitor, at its scale; Windows says when it moves to another.
    parkDpi = PrimaryMonitorDpi();
    parkDesktop = DesktopNow();
    return CreateWindowExA(0, PARK_CLASS, "Hoplette",
                           WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX,
                           0, ParkCornerTop(screenHeight, parkDpi), ScaledLength(PARK_WIDTH, parkDpi),
                           ScaledLength(PARK_HEIGHT, parkDpi), nullptr, nullptr, instanceHandle, nullptr);
}

static void OnParkCreate(HWND window)
{
    parkTornDown = false;
    popupMenu = LoadMenuA(instanceHandle, "PopupMenu");
    if (popupMenu == nullptr)
        MessageBoxA(window, MENU_MISSING_TEXT, "", MB_OK);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetTimer(window, WAIT_TIMER, WAIT_TIMER_PERIOD, nullptr);
    StartSessionNotifications(window);
    displayNotifications = StartDisplayNotifications(window);
    MeasureAspect(window, &parkAspectX, &parkAspectY);
    parkPictures = LoadShowPictures(showMode, BowlNo_1, BowlNo_2);
}

static void OnParkSize(HWND window)
{
    if (IsIconic(window)) {
        SetWindowTextA(window, "Fire");
        return;
    }
    SetWindowTextA(window, "Hoplette");
    SetWindowPos(window, nullptr, 0, 0, ScaledLength(PARK_WIDTH, parkDpi), ScaledLength(PARK_HEIGHT, parkDpi),
                 SWP_NOMOVE | SWP_NOZORDER);
}

// Moved to a monitor of another scale, or its scale changed: the size
// Windows suggests for it; at its corner it stays at the corner.
static void OnParkDpiChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    int32_t oldDpi = parkDpi;
    parkDpi = HIWORD(wParam);
    ScreenBox place = BoxOf(*reinterpret_cast<const RECT*>(lParam));
    RECT box;
    if (GetWindowRect(window, &box))
        place = ParkAfterScaleChange(BoxOf(box), ParkCornerTop(parkDesktop.height, oldDpi),
                                     ParkCornerTop(GetSystemMetrics(SM_CYSCREEN), parkDpi), place);
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

static void OnWaitTimerTick(HWND window)
{
    FollowDesktop(window);
    if (!WaitRuleTick(&tickCounter, waitLimit, showRunning, userAway))
        return;
    // Asked only once the wait has passed. The counter stays past the limit,
    // so the show comes at the first tick after the full-screen program goes.
    if (!WaitRuleAfterLook(LookInFront(), &userAway, &tickCounter))
        return;
    showRunning = 1;
    tickCounter = 0;
    RunProgramShow(window);
}

static void TearDownPark(HWND window)
{
    if (parkTornDown)
        return;
    parkTornDown = true;
    DestroyMenu(popupMenu);
    popupMenu = nullptr;
    ReleaseShowPictures(&parkPictures);
    KillTimer(window, WAIT_TIMER);
    // Here at WM_CLOSE too: the program ends after it without destroying the window.
    StopSessionNotifications(window);
    StopDisplayNotifications(displayNotifications);
    displayNotifications = nullptr;
    PostQuitMessage(0);
}

// A show dispatches nothing, and the session's changes are posted: the show
// takes them out of the queue here, every one in order, so that the wait rule
// sees a lock and the unlock after it. The display's power broadcasts are
// sent, and reach the window procedure inside the show's looks.
static bool ProgramShowUnseen()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_WTSSESSION_CHANGE, WM_WTSSESSION_CHANGE, PM_REMOVE))
        WaitRuleSessionChange(static_cast<uint32_t>(message.wParam), &userAway, &tickCounter);
    return WaitRuleUnseen(userAway);
}

// A stray broadcast is not heeded where nothing was asked for.
static void OnPowerBroadcast(WPARAM wParam, LPARAM lParam)
{
    int display = displayNotifications != nullptr ? DisplayBroadcast(wParam, lParam) : DISPLAY_UNTOLD;
    if (display != DISPLAY_UNTOLD)
        WaitRuleDisplayChange(display == DISPLAY_ON, &userAway, &tickCounter);
}

static ShowMonitor PrimaryShowMonitor()
{
    return ShowMonitor{RECT{0, 0, screenWidth, screenHeight}, PrimaryMonitorDpi()};
}

// The MONITORS_ choice the show under way runs by, and whether Windows has
// told of a change of the desktop since the show last looked.
static int32_t monitorsOfShow;
static bool showDesktopTold;

// The show's monitors now, the primary one first: the primary alone, or
// each monitor Windows lists. How many went into the list.
static int32_t ProgramShowMonitors(ShowMonitor* monitors, int32_t most)
{
    RefreshScreenSize();
    monitors[0] = PrimaryShowMonitor();
    if (monitorsOfShow == MONITORS_PRIMARY)
        return 1;
    ScreenBox places[MOST_SHOW_MONITORS];
    int32_t count = ListShowMonitors(places, most < MOST_SHOW_MONITORS ? most : MOST_SHOW_MONITORS);
    for (int32_t i = 0; i < count; ++i) {
        RECT box = {places[i].left, places[i].top, places[i].right, places[i].bottom};
        monitors[i] = ShowMonitor{box, MonitorDpi(MonitorFromRect(&box, MONITOR_DEFAULTTOPRIMARY))};
    }
    return count > 0 ? count : 1;
}

// Looked at between a show's frames, so that the show and its covers lie
// over the desktop as it is: a new primary size, or whatever Windows told.
static int32_t ProgramDesktopChanged(ShowMonitor* monitors, int32_t most)
{
    bool told = showDesktopTold;
    showDesktopTold = false;
    if (!RefreshScreenSize() && !told)
        return 0;
    return ProgramShowMonitors(monitors, most);
}

// The park window of the show under way.
static HWND parkOfShow;

// The park window is never activated: the user may be typing elsewhere.
static void ParkBackInBand()
{
    if (alwaysOnTop == 1)
        SetWindowPos(parkOfShow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The monitors looked at afresh, and the program's own settings.
static ShowRequest ProgramShowRequest()
{
    monitorsOfShow = showMonitors;
    showDesktopTold = false;
    ShowRequest request = {};
    request.monitorCount = ProgramShowMonitors(request.monitors, MOST_SHOW_MONITORS);
    request.oneField = monitorsOfShow == MONITORS_ACROSS;
    // Nothing of the desktop stays in view: its keys and buttons are the show's.
    request.coversOthers = true;
    request.showMode = showMode;
    request.pairCodes[0] = BowlNo_1;
    request.pairCodes[1] = BowlNo_2;
    request.speed = Speed;
    request.aspectX = parkAspectX;
    request.aspectY = parkAspectY;
    request.windowClass = "static";
    // Above every ordinary window whether or not Windows gives the show the
    // foreground; no taskbar button or Alt+Tab entry.
    request.extendedStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    request.lookAtInput = LookAtProgramInput;
    request.endingInputWaiting = ProgramEndingInputWaiting;
    request.holdsInput = true;
    request.unseen = ProgramShowUnseen;
    request.desktopChanged = ProgramDesktopChanged;
    request.windowsGone = ParkBackInBand;
    return request;
}

ShowCounts RunProgramShow(HWND park, ShowCounts* counting)
{
    parkOfShow = park;
    if (alwaysOnTop == 1)
        SetWindowPos(park, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowCounts counts = ShowRun(ProgramShowRequest(), counting);
    tickCounter = 0;
    showRunning = 0;
    return counts;
}

LRESULT CALLBACK ParkWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnParkCreate(window);
        return 0;
    case WM_GETMINMAXINFO: {
        // A captioned, sizable window is otherwise held wider than 96 pixels.
        MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize.x = ScaledLength(PARK_WIDTH, parkDpi);
        limits->ptMinTrackSize.y = ScaledLength(PARK_HEIGHT, parkDpi);
        return 0;
    }
    case WM_DPICHANGED_MESSAGE:
        OnParkDpiChanged(window, wParam, lParam);
        return 0;
    case WM_SIZE:
        OnParkSize(window);
        return 0;
    case WM_DISPLAYCHANGE:
        // Sent to every top-level window, so it reaches here during a show
        // too; the show follows the screen itself, the park window after it.
        desktopChangeTold = true;
        showDesktopTold = true;
        if (!ShowUnderWay())
            FollowDesktop(window);
        return 0;
    case WM_ACTIVATE:
        // No default processing: activation does not take the keyboard focus.
        return 0;
    case WM_TIMER:
        OnWaitTimerTick(window);
        return 0;
    case WM_WTSSESSION_CHANGE:
        WaitRuleSessionChange(static_cast<uint32_t>(wParam), &userAway, &tickCounter);
        return 0;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(wParam, lParam);
        return TRUE;
    case WM_CLOSE:
    case WM_DESTROY:
        TearDownPark(window);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        OpenParkMenu(window, lParam);
        return 0;
    case WM_INITMENU:
        SetMenuChecks(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_COMMAND:
        OnParkCommand(window, LOWORD(wParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
