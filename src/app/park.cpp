// The park window procedure: size and caption, the wait timer, teardown.
#include "park.h"

#include "../show/display.h"
#include "../show/show.h"
#include "fullscreen.h"
#include "../base/dpi.h"
#include "../base/globals.h"
#include "../base/scale.h"
#include "menu.h"
#include "waitrule.h"

// "There is no floating popup menu", in code page 932.
static const char MENU_MISSING_TEXT[] = "ﾌﾛｰﾃｨﾝｸﾞ･ﾎﾟｯﾌﾟｱｯﾌﾟ･ﾒﾆｭｰがありません。";

// AWAY_ bits of waitrule.h: why no timed show may come now.
static int32_t userAway;

// What Windows tells the park window of the display; null where it tells nothing.
static HANDLE displayNotifications;

// The park window's pixels per inch: its sizes are given for 96.
static int32_t parkDpi = STANDARD_DPI;

// WM_CLOSE and WM_DESTROY both tear down; whichever comes second finds nothing left to do.
static bool parkTornDown;

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
    return CreateWindowExA(0, PARK_CLASS, "Hoplette",
                           WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX,
                           0, screenHeight - ScaledLength(PARK_BOTTOM_GAP, parkDpi), ScaledLength(PARK_WIDTH, parkDpi),
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
    BallPlace screen = {screenWidth, screenHeight, PrimaryMonitorDpi(), true};
    BallAnimation(window, BALL_MEASURE, screen);
    BallAnimation(window, BALL_PREPARE, screen);
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

// Moved to a monitor of another scale: the size Windows suggests for it.
static void OnParkDpiChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    parkDpi = HIWORD(wParam);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

static void OnWaitTimerTick(HWND window)
{
    if (!WaitRuleTick(&tickCounter, waitLimit, showRunning, userAway))
        return;
    // Asked only once the wait has passed. The counter stays past the limit,
    // so the show comes at the first tick after the full-screen program goes.
    if (!WaitRuleAfterLook(LookInFront(), &userAway, &tickCounter))
        return;
    showRunning = 1;
    tickCounter = 0;
    ShowRun(window, ProgramShowRequest());
}

static void TearDownPark(HWND window)
{
    if (parkTornDown)
        return;
    parkTornDown = true;
    DestroyMenu(popupMenu);
    popupMenu = nullptr;
    if (firstPicture != nullptr)
        DeleteObject(firstPicture);
    firstPicture = nullptr;
    if (secondPicture != nullptr)
        DeleteObject(secondPicture);
    secondPicture = nullptr;
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

ShowRequest ProgramShowRequest()
{
    ShowRequest request = {};
    request.monitors[0] = ShowMonitor{RECT{0, 0, screenWidth, screenHeight}, PrimaryMonitorDpi()};
    request.monitorCount = 1;
    request.windowClass = "static";
    // Above every ordinary window whether or not Windows gives the show the
    // foreground; no taskbar button or Alt+Tab entry.
    request.extendedStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    request.lookAtInput = LookAtProgramInput;
    request.endingInputWaiting = ProgramEndingInputWaiting;
    request.holdsInput = true;
    request.unseen = ProgramShowUnseen;
    return request;
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
