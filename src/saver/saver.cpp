// Hoplette.scr: the full-screen show and the settings dialog around the
// program's own show engine and settings file.
#include "saver.h"

#include "../base/dpi.h"
#include "../base/globals.h"
#include "../base/numbers.h"
#include "../base/settings.h"
#include "../catalogue/catalogue.h"
#include "../show/display.h"
#include "../show/frame.h"
#include "../show/monitors.h"
#include "../show/show.h"
#include "preview.h"
#include "saverrules.h"

// Held by the running show; a second one finds it and ends.
static const char SHOW_MUTEX[] = "Hoplette screen saver show";

int32_t saverMonitors;

// Where the pointer was at the show's first mouse message.
static PointerAnchor pointerAnchor;

// 1 once the saver's window procedure was told to end the show.
static int32_t saverEnding;

// What Windows tells the show's first window of the display, for the show's
// length; while it is off the show paints nothing.
static HANDLE displayNotifications;
static bool displayOff;

void LoadSaverSettings(const WCHAR* wideDirectory, const char* ansiDirectory)
{
    LoadSettings(wideDirectory, ansiDirectory);
    // A missing or empty key means Double mode, as at every start of the program.
    showMode = SHOW_DOUBLE;
    if (ReadSetting(SAVER_SHOW_KEY, valueBuffer, sizeof valueBuffer) != 0)
        showMode = SaverShowMode(ParseSettingNumber(valueBuffer));
    saverMonitors = 0;
    if (ReadSetting(SAVER_MONITORS_KEY, valueBuffer, sizeof valueBuffer) != 0)
        saverMonitors = MonitorsChoice(ParseSettingNumber(valueBuffer));
}

// The show windows and the covers: what other programs and Windows ask of a
// screen saver. Input never comes here: the show looks at it itself.
static LRESULT CALLBACK SaverWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE && displayNotifications == nullptr)
        displayNotifications = StartDisplayNotifications(window);
    if (message == WM_POWERBROADCAST) {
        int display = displayNotifications != nullptr ? DisplayBroadcast(wParam, lParam) : DISPLAY_UNTOLD;
        if (display != DISPLAY_UNTOLD)
            displayOff = display == DISPLAY_OFF;
        return TRUE;
    }
    switch (SaverWindowMessage(message, wParam)) {
    case SAVER_MESSAGE_ENDS:
        saverEnding = 1;
        return 0;
    case SAVER_MESSAGE_REFUSED:
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

static bool IsInput(UINT message)
{
    return (message >= FIRST_KEYBOARD_MESSAGE && message <= LAST_KEYBOARD_MESSAGE)
        || (message >= SAVER_FIRST_MOUSE_MESSAGE && message <= SAVER_LAST_MOUSE_MESSAGE);
}

// Between frames: one message off the queue. Input is judged by the saver's
// rule and never dispatched; anything else goes to SaverWndProc, which may end
// the show. Messages sent from other threads reach it inside PeekMessageA.
static int LookAtSaverMessages()
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return saverEnding == 1 ? INPUT_ENDS : INPUT_NONE;
    if (IsInput(message.message)) {
        if (SaverInputEnds(&pointerAnchor, message.message, message.pt.x, message.pt.y))
            return INPUT_ENDS;
    } else {
        DispatchMessageA(&message);
    }
    return saverEnding == 1 ? INPUT_ENDS : INPUT_DROPPED;
}

static bool SaverInputWaiting()
{
    return HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON | QS_MOUSEMOVE)) != 0;
}

static bool SaverUnseen()
{
    return displayOff;
}

static void RegisterSaverClass()
{
    WNDCLASSA saverClass = {};
    saverClass.lpfnWndProc = SaverWndProc;
    saverClass.hInstance = instanceHandle;
    saverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    saverClass.lpszClassName = SAVER_WINDOW_CLASS;
    RegisterClassA(&saverClass);
}

// The primary monitor alone, or every monitor with a show of its own; the
// show covers the others black. The monitors go into request.
static void TakeMonitors(ShowRequest* request)
{
    ScreenBox places[MOST_SHOW_MONITORS];
    int32_t placeCount = 0;
    if (saverMonitors == MONITORS_EACH || saverMonitors == MONITORS_ACROSS)
        placeCount = ListShowMonitors(places, MOST_SHOW_MONITORS);
    request->oneField = saverMonitors == MONITORS_ACROSS;
    request->monitorCount = placeCount > 0 ? placeCount : 1;
    request->monitors[0] = ShowMonitor{RECT{0, 0, screenWidth, screenHeight}, PrimaryMonitorDpi()};
    for (int32_t i = 0; i < placeCount; ++i) {
        RECT box = {places[i].left, places[i].top, places[i].right, places[i].bottom};
        request->monitors[i] = ShowMonitor{box, MonitorDpi(MonitorFromRect(&box, MONITOR_DEFAULTTOPRIMARY))};
    }
    request->coversOthers = true;
}

void RunSaverShow()
{
    HANDLE running = CreateMutexA(nullptr, FALSE, SHOW_MUTEX);
    if (running == nullptr)
        return;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(running);
        return;
    }
    screenWidth = GetSystemMetrics(SM_CXSCREEN);
    screenHeight = GetSystemMetrics(SM_CYSCREEN);
    saverEnding = 0;
    pointerAnchor = {};
    RegisterSaverClass();
    // The saver's show covers everything, the taskbar too, and has no place
    // on the taskbar or in Alt+Tab; any button, the wheel and a move end it.
    // No park window to take out of the topmost layer and put back.
    ShowRequest request = {};
    request.showMode = showMode;
    request.pairCodes[0] = BowlNo_1;
    request.pairCodes[1] = BowlNo_2;
    request.speed = Speed;
    MeasureAspect(nullptr, &request.aspectX, &request.aspectY); // the screen's own
    request.windowClass = SAVER_WINDOW_CLASS;
    request.extendedStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    request.lookAtInput = LookAtSaverMessages;
    request.endingInputWaiting = SaverInputWaiting;
    request.unseen = SaverUnseen;
    TakeMonitors(&request);
    displayOff = false;
    ShowRun(request);
    StopDisplayNotifications(displayNotifications);
    displayNotifications = nullptr;
    CloseHandle(running);
}

void RunSaverPreview(HWND parent)
{
    screenWidth = GetSystemMetrics(SM_CXSCREEN);
    screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (CreatePreviewWindow(parent) == nullptr)
        return;
    // The preview posts the quit message when it is destroyed.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
}

void OpenSaverSettings(HWND owner)
{
    DialogBoxParamA(instanceHandle, "SAVERSETUP", IsWindow(owner) ? owner : nullptr, SaverSetupDlgProc, 0);
}
