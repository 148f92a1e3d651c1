// The program at the display's scale, run at 96, 144 and 192 DPI (the
// prefix's LogPixels, HOPLETTE_DPI) on a screen of 1024 x 768 96-DPI units:
// the park window's size and place; the show over the whole real screen, its
// planet drawn at the scale and matching the picture tool's own rendering at
// that size (HOPLETTE_REFERENCE), moving dpi / 96 pixels a frame; and no
// label of a dialog cut off.
#include "showtest.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/dpi.h"
#include "base/scale.h"
#include "catalogue/catalogue.h"
#include "imports.h"
#include "show/ball.h"
#include "show/frame.h"

static int32_t dpi;

// Every picture the show blits at the scale: where, and in which window.
struct Blit {
    int x, y;
};
static std::vector<Blit> blits;
static volatile LONG blitCount;
static void* realBitBlt;

static BOOL WINAPI RecordBitBlt(HDC dc, int x, int y, int width, int height, HDC from, int fromX, int fromY,
                                DWORD rop)
{
    if (width == ScaledLength(BALL_SIZE, dpi) && height == width && blits.size() < 100000) {
        blits.push_back({x, y});
        InterlockedIncrement(&blitCount);
    }
    return reinterpret_cast<decltype(&BitBlt)>(realBitBlt)(dc, x, y, width, height, from, fromX, fromY, rop);
}

static void TestParkWindow(HWND park)
{
    RECT box;
    GetWindowRect(park, &box);
    CHECK(box.left == 0 && box.top == screenHeight - ScaledLength(80, dpi)
              && box.right - box.left == ScaledLength(96, dpi) && box.bottom - box.top == ScaledLength(78, dpi),
          "park window at (%ld,%ld), %ld x %ld on a %d x %d screen at %d DPI", box.left, box.top,
          box.right - box.left, box.bottom - box.top, screenWidth, screenHeight, dpi);

    // A scale of twice this one and back (Wine gives every monitor the
    // system's, so Windows' message is sent here), kept when the window is
    // sized again. At its corner: the corner at the new scale, at Windows'
    // size. Moved off it (to another monitor): Windows' suggested rectangle.
    for (int corner = 1; corner >= 0; --corner) {
        if (!corner)
            SetWindowPos(park, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        for (int32_t to : {2 * dpi, dpi}) {
            GetWindowRect(park, &box);
            int x = corner ? 0 : 10, y = corner ? box.top : 20;
            RECT suggested = {x, y, x + ScaledLength(96, to), y + ScaledLength(78, to)};
            RECT expected = suggested;
            if (corner)
                OffsetRect(&expected, 0, screenHeight - ScaledLength(80, to) - y);
            SendMessageA(park, WM_DPICHANGED_MESSAGE, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
            SendMessageA(park, WM_SIZE, SIZE_RESTORED, 0);
            GetWindowRect(park, &box);
            CHECK(EqualRect(&box, &expected), "at %d DPI the park window %s is (%ld,%ld)-(%ld,%ld)", to,
                  corner ? "at its corner" : "moved", box.left, box.top, box.right, box.bottom);
        }
    }
    SetWindowPos(park, nullptr, 0, screenHeight - ScaledLength(80, dpi), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// The picture tool's rendering at the scale, as 32-bit pixels, top row first.
static std::vector<DWORD> ReferencePixels(int size)
{
    char path[MAX_PATH] = "";
    GetEnvironmentVariableA("HOPLETTE_REFERENCE", path, sizeof path);
    HBITMAP picture = static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    std::vector<DWORD> pixels = BitmapPixels(picture, size, size);
    DeleteObject(picture);
    CHECK(!pixels.empty(), "the reference picture %s is a %d x %d bitmap", path, size, size);
    return pixels;
}

// Mean difference per channel between two squares of pixels.
static double MeanDifference(const std::vector<DWORD>& a, const std::vector<DWORD>& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            sum += std::abs(int((a[i] >> shift) & 255) - int((b[i] >> shift) & 255));
    return sum / (3.0 * a.size());
}

// A picture stretched to size x size with Windows' best filter, as 32-bit pixels.
static std::vector<DWORD> StretchedPicture(HBITMAP picture, int size)
{
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    HBITMAP stretched = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ fromFormer = SelectObject(from, picture), toFormer = SelectObject(to, stretched);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, size, size, from, 0, 0, BALL_SIZE, BALL_SIZE, SRCCOPY);
    SelectObject(from, fromFormer);
    SelectObject(to, toFormer);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    std::vector<DWORD> pixels = BitmapPixels(stretched, size, size);
    DeleteObject(stretched);
    return pixels;
}

static std::vector<DWORD> shownPicture;

// Photographs the first frame's picture once it is drawn, then ends the show.
static DWORD WINAPI PhotographFirstFrame(LPVOID)
{
    for (int i = 0; i < 5000 && blitCount == 0; ++i)
        Sleep(1);
    Sleep(300);
    int size = ScaledLength(BALL_SIZE, dpi);
    if (blitCount > 0)
        shownPicture = CaptureScreenPixels(blits[0].x, blits[0].y, size, size);
    PostThreadMessageA(watchdogTarget, WM_KEYDOWN, 'Z', 0);
    return 0;
}

static DWORD WINAPI EndShowLater(LPVOID)
{
    Sleep(1000);
    PostThreadMessageA(watchdogTarget, WM_KEYDOWN, 'Z', 0);
    return 0;
}

static bool RunShowWith(HWND park, LPTHREAD_START_ROUTINE beside)
{
    blits.clear();
    blitCount = 0;
    ArmShowWatchdog();
    HANDLE thread = CreateThread(nullptr, 0, beside, nullptr, 0, nullptr);
    RunProgramShow(park);
    bool ended = !DisarmShowWatchdog();
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return ended;
}

static void TestShow(HWND park)
{
    realBitBlt = ReplaceImport("gdi32.dll", "BitBlt", reinterpret_cast<void*>(RecordBitBlt));
    CHECK(realBitBlt != nullptr, "BitBlt is replaced");
    showMode = SHOW_MARS;
    int size = ScaledLength(BALL_SIZE, dpi);

    // The first frame stands for a long while at the slowest speed: its picture, photographed.
    Speed = SLOWEST_SPEED;
    showWindowCount = 0;
    HHOOK hook = RecordShowWindowsHook();
    CHECK(RunShowWith(park, PhotographFirstFrame), "the slow show did not end");
    UnhookWindowsHookEx(hook);
    CHECK(showWindowCount == 1 && showWindowRects[0].left == 0 && showWindowRects[0].top == 0
              && showWindowRects[0].right == screenWidth && showWindowRects[0].bottom == screenHeight,
          "%d show windows, the first (%ld,%ld)-(%ld,%ld) on a %d x %d screen", showWindowCount,
          showWindowRects[0].left, showWindowRects[0].top, showWindowRects[0].right, showWindowRects[0].bottom,
          screenWidth, screenHeight);
    std::vector<DWORD> reference = ReferencePixels(size);
    CHECK_EQ(shownPicture.size(), reference.size(), "a %d x %d picture photographed", size, size);
    double difference = MeanDifference(shownPicture, reference);
    std::printf("    the shown %d x %d Mars differs from the tool's by %.2f a channel\n", size, size, difference);
    CHECK(difference <= 4.0, "the shown picture differs from the tool's %d x %d one by %.2f a channel", size, size,
          difference);
    if (size != BALL_SIZE) {
        // Drawn for the size, not the 100% picture stretched to it.
        HBITMAP mars = LoadBitmapA(instanceHandle, "MARS");
        std::vector<DWORD> stretched = StretchedPicture(mars, size);
        DeleteObject(mars);
        double stretchedDifference = MeanDifference(stretched, reference);
        std::printf("    the 164 x 164 picture stretched to %d differs by %.2f\n", size, stretchedDifference);
        CHECK(difference < stretchedDifference, "the shown picture (%.2f) is no closer than a stretched 164 (%.2f)",
              difference, stretchedDifference);
    }

    // A second at Speed 60: one unit a frame is dpi / 96 pixels.
    Speed = 60;
    CHECK(RunShowWith(park, EndShowLater), "the Speed 60 show did not end");
    double moved = 0;
    for (size_t i = 1; i < blits.size(); ++i)
        moved += std::abs(blits[i].x - blits[i - 1].x);
    double perFrame = blits.size() > 1 ? moved / (blits.size() - 1) : 0, want = dpi / 96.0;
    std::printf("    %d frames, %.3f pixels a frame across\n", int(blits.size()), perFrame);
    CHECK(blits.size() >= 30 && perFrame > 0.98 * want && perFrame < 1.02 * want,
          "%d frames at %.3f pixels a frame, wanted %.3f", int(blits.size()), perFrame, want);
    ReplaceImport("gdi32.dll", "BitBlt", realBitBlt);
    showMode = SHOW_DOUBLE;
}

static INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// Whether a control's text fits inside it, in the control's own font.
static BOOL CALLBACK CheckLabel(HWND control, LPARAM dialogName)
{
    char text[256] = "", className[32] = "";
    GetWindowTextA(control, text, sizeof text);
    GetClassNameA(control, className, sizeof className);
    LONG style = GetWindowLongA(control, GWL_STYLE);
    bool button = lstrcmpiA(className, "Button") == 0, label = lstrcmpiA(className, "Static") == 0;
    if (text[0] == '\0' || !(button || label) || (label && (style & SS_TYPEMASK) > SS_RIGHT))
        return TRUE;
    // The picture dialog's 47-unit columns cut "EarthAfrica" at every scale, 96 DPI too.
    if (lstrcmpA(reinterpret_cast<const char*>(dialogName), "BOWLSELECT") == 0 && lstrcmpA(text, "EarthAfrica") == 0)
        return TRUE;
    RECT client;
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    HGDIOBJ former = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    // A radio button or a check box has its box before the text.
    LONG kind = style & BS_TYPEMASK;
    bool boxed = button && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON && kind != BS_GROUPBOX;
    RECT needed = {0, 0, client.right - (boxed ? ScaledLength(16, dpi) : 0), 0};
    UINT format = DT_CALCRECT | (label && (style & SS_LEFTNOWORDWRAP) != SS_LEFTNOWORDWRAP ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(dc, text, -1, &needed, format);
    SelectObject(dc, former);
    ReleaseDC(control, dc);
    int width = needed.right + (boxed ? ScaledLength(16, dpi) : 0);
    CHECK(width <= client.right && needed.bottom <= client.bottom, "%s: \"%s\" needs %d x %ld, has %ld x %ld at %d DPI",
          reinterpret_cast<const char*>(dialogName), text, width, needed.bottom, client.right, client.bottom, dpi);
    return TRUE;
}

static void TestDialogLabels(HWND park)
{
    // The saver's settings dialog lives in Hoplette.scr, beside this test.
    char saverPath[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, saverPath, sizeof saverPath);
    while (length > 0 && saverPath[length - 1] != '\\')
        --length;
    saverPath[length] = '\0';
    lstrcatA(saverPath, "Hoplette.scr");
    HMODULE saver = LoadLibraryExA(saverPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    CHECK(saver != nullptr, "%s loads as data", saverPath);
    const struct { HMODULE module; const char* name; } dialogs[] = {
        {instanceHandle, "SCRNSAVER"}, {instanceHandle, "BOWLSELECT"}, {instanceHandle, "AboutDlg"}, {saver, "SAVERSETUP"}};
    for (const auto& dialog : dialogs) {
        HWND window = CreateDialogParamA(dialog.module, dialog.name, park, PlainDialog, 0);
        CHECK(window != nullptr, "dialog %s opens", dialog.name);
        if (window == nullptr)
            continue;
        EnumChildWindows(window, CheckLabel, reinterpret_cast<LPARAM>(dialog.name));
        DestroyWindow(window);
    }
    if (saver != nullptr)
        FreeLibrary(saver);
}

int main()
{
    BecomeDpiAware();
    char given[16] = "96";
    GetEnvironmentVariableA("HOPLETTE_DPI", given, sizeof given);
    dpi = std::atoi(given);
    CHECK_EQ(SystemDpi(), dpi, "Windows tells the display's pixels per inch");
    HWND park = StartParkWindow();
    TestParkWindow(park);
    TestShow(park);
    TestDialogLabels(park);
    CloseParkWindow(park);
    return CheckSummary();
}
