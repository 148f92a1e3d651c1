// Hoplette.scr: the full-screen show and the settings dialog around the
// program's own show engine and settings file.
#include "saver.h"

#include "../catalogue/catalogue.h"
#include "../dialogs/dialogs.h"
#include "../show/preview.h"
#include "../show/show.h"
#include "globals.h"
#include "numbers.h"
#include "saverrules.h"
#include "settings.h"

// Held by the running show; a second one finds it and ends.
static const char SHOW_MUTEX[] = "Hoplette screen saver show";
static const char COVER_CLASS[] = "HopletteCover";

// Black windows over the monitors other than the primary one.
constexpr int MOST_COVERS = 16;
static HWND covers[MOST_COVERS];
static int coverCount;

void LoadSaverSettings(const WCHAR* wideDirectory, const char* ansiDirectory)
{
    LoadSettings(wideDirectory, ansiDirectory);
    // A missing or empty key means Double mode, as at every start of the program.
    showMode = SHOW_DOUBLE;
    if (ReadSetting(SAVER_SHOW_KEY, valueBuffer, sizeof valueBuffer) != 0)
        showMode = SaverShowMode(ParseSettingNumber(valueBuffer));
}

static BOOL CALLBACK CoverMonitor(HMONITOR monitor, HDC, LPRECT box, LPARAM)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY) != 0)
        return TRUE;
    if (coverCount >= MOST_COVERS)
        return FALSE;
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, COVER_CLASS, nullptr, WS_POPUP | WS_VISIBLE, box->left, box->top,
                                 box->right - box->left, box->bottom - box->top, nullptr, nullptr, instanceHandle,
                                 nullptr);
    if (cover == nullptr)
        return TRUE;
    // The show dispatches nothing: paint the cover now.
    UpdateWindow(cover);
    covers[coverCount++] = cover;
    return TRUE;
}

static void CoverOtherMonitors()
{
    WNDCLASSA coverClass = {};
    coverClass.lpfnWndProc = DefWindowProcA;
    coverClass.hInstance = instanceHandle;
    coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    coverClass.lpszClassName = COVER_CLASS;
    RegisterClassA(&coverClass);
    coverCount = 0;
    EnumDisplayMonitors(nullptr, nullptr, CoverMonitor, 0);
}

static void UncoverOtherMonitors()
{
    for (int i = 0; i < coverCount; ++i)
        DestroyWindow(covers[i]);
    coverCount = 0;
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
    BallAnimation(nullptr, BALL_MEASURE); // the screen's own aspect values
    // No park window to take out of the topmost layer and put back.
    alwaysOnTop = 0;
    saverShow = 1;
    pointerAnchor = {};
    CoverOtherMonitors();
    ShowRun(nullptr);
    UncoverOtherMonitors();
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
