// Hoplette.scr in-process: its start-up reads the settings file without
// writing to it; its settings dialog shows what it read, writes on OK and
// writes nothing on Cancel; its preview draws the show scaled down into its
// parent and nowhere else, and ends with the parent. Run with the screen
// saver's own resources.
#include <windows.h>

#include <climits>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "base/globals.h"
#include "saver/saver.h"
#include "base/settings.h"
#include "catalogue/catalogue.h"
#include "check.h"
#include "dialogs/dialogs.h"
#include "guicount.h"
#include "modal.h"
#include "resources/resource.h"
#include "show/ball.h"
#include "saver/preview.h"

#include <vector>

static char folder[MAX_PATH];
static char filePath[MAX_PATH];

// A fresh folder (Wine caches a settings file it has just read) with the given
// Hoplette.ini, or none; the saver's start-up reads it as Hoplette.scr does.
static void StartSaverIn(const char* name, const char* bytes)
{
    char temporary[MAX_PATH];
    GetTempPathA(sizeof temporary, temporary);
    std::snprintf(folder, sizeof folder, "%shoplette-saver-%lu-%s\\", temporary, GetCurrentProcessId(), name);
    CreateDirectoryA(folder, nullptr);
    std::snprintf(filePath, sizeof filePath, "%sHoplette.ini", folder);
    DeleteFileA(filePath);
    if (bytes != nullptr)
        WriteFileBytes(filePath, bytes);
    // A fresh process: the built-in values, and a show mode the file must decide.
    Speed = 60;
    BowlNo_1 = INITIAL_BOWLNO_1;
    BowlNo_2 = INITIAL_BOWLNO_2;
    showMode = SHOW_MARS;
    saverMonitors = 1;
    settingsReadOnly = 1;
    WCHAR wideFolder[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, folder, -1, wideFolder, MAX_PATH);
    LoadSaverSettings(wideFolder, "");
}

static void EndSaverIn()
{
    DeleteFileA(filePath);
    RemoveDirectoryA(folder);
}

static bool FileHolds(const char* expected)
{
    char text[1024];
    ReadFileBytes(filePath, text, sizeof text);
    if (expected == nullptr && GetFileAttributesA(filePath) == INVALID_FILE_ATTRIBUTES)
        return true;
    if (expected != nullptr && std::strcmp(text, expected) == 0)
        return true;
    std::printf("    file holds: \"%s\"\n", text);
    return false;
}

static INT_PTR RunSetup(std::initializer_list<ModalStep> steps)
{
    settingsReadOnly = 0; // as Hoplette.scr /c does before its dialog
    StartModalSteps(steps);
    INT_PTR result = DialogBoxParamA(instanceHandle, "SAVERSETUP", nullptr, SaverSetupDlgProc, 0);
    CHECK(StopModalSteps(), "every step ran and the dialog ended by itself");
    return result;
}

static void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// What the dialog showed when it opened: the checked radio of each column (0: none) and the speed.
static int seenShow, seenFirst, seenSecond, seenOthers, seenMonitors;
static char seenSpeed[16];

static int CheckedIn(HWND dialog, int first, int last)
{
    int checked = 0;
    for (int id = first; id <= last; ++id) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
            seenOthers += checked != 0 ? 1 : 0;
            checked = id;
        }
    }
    return checked;
}

static void RecordSetup(HWND dialog)
{
    seenOthers = 0;
    seenShow = CheckedIn(dialog, IDM_EARTH, IDM_SPHERE);
    seenFirst = CheckedIn(dialog, IDC_PATTERN1_FIRST, IDC_PATTERN1_LAST);
    seenSecond = CheckedIn(dialog, IDC_PATTERN2_FIRST, IDC_PATTERN2_LAST);
    GetDlgItemTextA(dialog, IDC_SAVER_SPEED, seenSpeed, sizeof seenSpeed);
    seenMonitors = CheckedIn(dialog, IDC_SAVER_PRIMARY, IDC_SAVER_ACROSS) - IDC_SAVER_PRIMARY;
}

static void PressCancel(HWND dialog)
{
    Click(dialog, IDCANCEL);
}

// The dialog opens with what the file holds, read by the program's rules;
// neither reading nor Cancel writes anything, not even for missing keys.
static void TestSetupOpens()
{
    const struct {
        const char* bytes;
        int show, first, second;
        const char* speed;
        int monitors;
    } rows[] = {
        {"[bounceinit]\r\nSpeed=120\r\nBowlNo_1=10013\r\nBowlNo_2=10016\r\nSaverShow=10015\r\nSaverMonitors=1\r\n",
         IDM_SATURN, 103, 116, "120", 1},
        {"[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n",
         IDM_DOUBLE, 101, 114, "60", 0},
        {"[bounceinit]\r\nSaverShow=10018\r\n", IDM_SPHERE, 101, 114, "60", 0},  // missing keys: built-in values
        {nullptr, IDM_DOUBLE, 101, 114, "60", 0},                                  // no file at all
        {"[bounceinit]\r\nSpeed=\r\nSaverShow=\r\nSaverMonitors=\r\n", IDM_DOUBLE, 101, 114, "60", 0},  // empty
        {"[bounceinit]\r\nSaverShow=10010\r\nSaverMonitors=0\r\n", IDM_EARTH, 101, 114, "60", 0},
        {"[bounceinit]\r\nSaverShow=abc\r\nBowlNo_1=5\r\nBowlNo_2=10000\r\nSaverMonitors=abc\r\n", IDM_DOUBLE, 0, 0,
         "60", 0},
        {"[bounceinit]\r\nSaverShow=99999999999\r\nSpeed=99999999999\r\nSaverMonitors=4294967297\r\n", IDM_DOUBLE,
         101, 114, "99999", 0},
        {"[bounceinit]\r\nSaverShow=-10013\r\nSpeed=-20\r\nSaverMonitors=-1\r\n", IDM_DOUBLE, 101, 114, "-20", 0},
        {"[bounceinit]\r\nSpeed=-99999999\r\nBowlNo_1=-2147483648\r\nSaverMonitors=2\r\n", IDM_DOUBLE, 0, 114,
         "-9999", 2},
        {"[bounceinit]\r\nSaverMonitors=3\r\n", IDM_DOUBLE, 101, 114, "60", 0},
        {"[bounceinit]\r\nSaverShow= +10016xyz\r\nSpeed=  7 \r\nSaverMonitors= 1st\r\n", IDM_SUN, 101, 114, "7", 1},
    };
    int index = 0;
    for (const auto& row : rows) {
        char name[16];
        std::snprintf(name, sizeof name, "open%d", index);
        StartSaverIn(name, row.bytes);
        CHECK(FileHolds(row.bytes), "row %d: reading wrote nothing", index);
        INT_PTR result = RunSetup({RecordSetup, PressCancel});
        CHECK_EQ(result, IDCANCEL, "row %d: Cancel ends the dialog with 2", index);
        CHECK_EQ(seenShow, row.show, "row %d: the show's radio", index);
        CHECK_EQ(seenFirst, row.first, "row %d: the radio under Pattern 1", index);
        CHECK_EQ(seenSecond, row.second, "row %d: the radio under Pattern 2", index);
        CHECK_EQ(seenOthers, 0, "row %d: one radio at most in each column", index);
        CHECK(std::strcmp(seenSpeed, row.speed) == 0, "row %d: the speed box shows \"%s\"", index, seenSpeed);
        CHECK_EQ(seenMonitors, row.monitors, "row %d: the monitor radio", index);
        CHECK(FileHolds(row.bytes), "row %d: Cancel writes nothing", index);
        EndSaverIn();
        ++index;
    }
}

// OK writes the five keys the dialog shows; the speed as typed.
static void TestSetupWrites()
{
    StartSaverIn("ok", "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n");
    INT_PTR result = RunSetup({
        [](HWND dialog) { Click(dialog, IDM_MARS); },
        [](HWND dialog) { Click(dialog, 106); },  // Sun under Pattern 1
        [](HWND dialog) { Click(dialog, 112); },  // Jupiter under Pattern 2
        [](HWND dialog) { Type(dialog, IDC_SAVER_SPEED, "1234567"); },
        [](HWND dialog) { Click(dialog, IDC_SAVER_EACH); },
        RecordSetup,
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    CHECK_EQ(result, IDOK, "OK ends the dialog with 1");
    CHECK(std::strcmp(seenSpeed, "12345") == 0, "the speed box takes five characters: \"%s\"", seenSpeed);
    CHECK_EQ(seenShow, IDM_MARS, "a click moves the show's mark");
    CHECK_EQ(seenOthers, 0, "one radio in each column");
    CHECK_EQ(seenMonitors, 1, "a click moves the monitors' mark to モニタごと");
    CHECK(FileHolds("[bounceinit]\r\nTimeInterval=5\r\nSpeed=12345\r\nBowlNo_1=10016\r\nBowlNo_2=10012\r\nSound=\r\n"
                    "SaverShow=10013\r\nSaverMonitors=1\r\n"),
          "OK writes the speed, the pictures, the show and the monitors");
    EndSaverIn();

    // Without a file, OK makes one with exactly what the dialog shows.
    StartSaverIn("okfresh", nullptr);
    result = RunSetup({[](HWND dialog) { Click(dialog, IDOK); }});
    CHECK_EQ(result, IDOK, "OK on a fresh folder");
    CHECK(FileHolds("[bounceinit]\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSaverShow=10017\r\n"
                    "SaverMonitors=0\r\n"),
          "OK writes the built-in values it showed");
    EndSaverIn();

    // A picture code outside the columns is kept unless a radio of its column is clicked.
    StartSaverIn("okodd",
                 "[bounceinit]\r\nSpeed=-20\r\nBowlNo_1=5\r\nBowlNo_2=10000\r\nSaverShow=abc\r\nSaverMonitors=1\r\n");
    result = RunSetup({
        [](HWND dialog) { Click(dialog, 117); },
        [](HWND dialog) { Click(dialog, IDC_SAVER_PRIMARY); },
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    CHECK_EQ(result, IDOK, "OK with odd values");
    CHECK(FileHolds("[bounceinit]\r\nSpeed=-20\r\nBowlNo_1=5\r\nBowlNo_2=10017\r\nSaverShow=10017\r\n"
                    "SaverMonitors=0\r\n"),
          "OK keeps an odd code and writes the clicked one");
    EndSaverIn();

    // 全モニタで１つ writes 2, which reads back as 2.
    StartSaverIn("okacross", "[bounceinit]\r\nSaverMonitors=1\r\n");
    result = RunSetup({
        [](HWND dialog) { Click(dialog, IDC_SAVER_ACROSS); },
        RecordSetup,
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    CHECK_EQ(result, IDOK, "OK with 全モニタで１つ");
    CHECK_EQ(seenMonitors, 2, "a click moves the monitors' mark to 全モニタで１つ");
    CHECK_EQ(seenOthers, 0, "one monitor radio");
    CHECK(FileHolds("[bounceinit]\r\nSaverMonitors=2\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n"
                    "SaverShow=10017\r\n"),
          "OK writes SaverMonitors=2");
    EndSaverIn();

    // Escape and the close box are Cancel.
    const char* stored = "[bounceinit]\r\nSpeed=30\r\nSaverShow=10012\r\n";
    StartSaverIn("escape", stored);
    result = RunSetup({
        [](HWND dialog) { Click(dialog, IDM_SUN); },
        [](HWND dialog) { Click(dialog, IDC_SAVER_ACROSS); },
        [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    });
    CHECK_EQ(result, IDCANCEL, "the close box ends the dialog with 2");
    CHECK(FileHolds(stored), "the close box writes nothing");
    EndSaverIn();
}

// While settingsReadOnly is 1 no write reaches the file, whoever asks.
static void TestReadOnlyWrites()
{
    StartSaverIn("readonly", "[bounceinit]\r\nSpeed=60\r\n");
    WriteSetting("Speed", "1");
    WriteSettingNumber("BowlNo_1", 10010);
    CHECK(FileHolds("[bounceinit]\r\nSpeed=60\r\n"), "read-only: nothing written");
    settingsReadOnly = 0;
    WriteSetting("Speed", "1");
    CHECK(FileHolds("[bounceinit]\r\nSpeed=1\r\n"), "writable again: written");
    EndSaverIn();
}

// === The preview ==================================================================

static LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// A white window: anything drawn on it outside the parent would show.
static HWND WhiteWindow(HWND parent, int x, int y, int width, int height)
{
    static bool registered;
    if (!registered) {
        WNDCLASSA plain = {};
        plain.lpfnWndProc = PlainWindowProc;
        plain.hInstance = instanceHandle;
        plain.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        plain.lpszClassName = "SaverTestWhite";
        registered = RegisterClassA(&plain) != 0;
    }
    DWORD style = parent != nullptr ? WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN : WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    HWND window = CreateWindowExA(0, "SaverTestWhite", nullptr, style, x, y, width, height, parent, nullptr,
                                  instanceHandle, nullptr);
    UpdateWindow(window);
    return window;
}

constexpr int BACKDROP_X = 100, BACKDROP_Y = 100, BACKDROP_SIZE = 400;
constexpr int PARENT_X = 124, PARENT_Y = 144, PARENT_WIDTH = 152, PARENT_HEIGHT = 112; // inside the backdrop

// The backdrop's square of the screen.
static std::vector<DWORD> CaptureBackdrop()
{
    return CaptureScreenPixels(BACKDROP_X, BACKDROP_Y, BACKDROP_SIZE, BACKDROP_SIZE);
}

static bool InParent(int x, int y) // backdrop coordinates
{
    int px = x + BACKDROP_X - PARENT_X, py = y + BACKDROP_Y - PARENT_Y;
    return px >= 0 && py >= 0 && px < PARENT_WIDTH && py < PARENT_HEIGHT;
}

// What the preview shows: its black pixels, and the box of the non-black ones
// in each half (parent coordinates; right < left when there are none).
struct PreviewPicture {
    int black;
    RECT halves[2];
    RECT whole;
};

static PreviewPicture LookAtPreview(const std::vector<DWORD>& pixels)
{
    const RECT none = {PARENT_WIDTH, PARENT_HEIGHT, -1, -1};
    PreviewPicture seen = {0, {none, none}, none};
    for (int y = 0; y < PARENT_HEIGHT; ++y) {
        for (int x = 0; x < PARENT_WIDTH; ++x) {
            DWORD pixel = pixels[(y + PARENT_Y - BACKDROP_Y) * BACKDROP_SIZE + x + PARENT_X - BACKDROP_X];
            if (pixel == 0) {
                ++seen.black;
                continue;
            }
            for (RECT* box : {&seen.halves[x < PARENT_WIDTH / 2 ? 0 : 1], &seen.whole}) {
                box->left = x < box->left ? x : box->left;
                box->top = y < box->top ? y : box->top;
                box->right = x > box->right ? x : box->right;
                box->bottom = y > box->bottom ? y : box->bottom;
            }
        }
    }
    return seen;
}

static int Changed(const std::vector<DWORD>& before, const std::vector<DWORD>& after, bool insideParent)
{
    int changed = 0;
    for (int y = 0; y < BACKDROP_SIZE; ++y)
        for (int x = 0; x < BACKDROP_SIZE; ++x)
            if (InParent(x, y) == insideParent && before[y * BACKDROP_SIZE + x] != after[y * BACKDROP_SIZE + x])
                ++changed;
    return changed;
}

static bool Found(const RECT& box)
{
    return box.right >= box.left;
}

static void TestPreview()
{
    screenWidth = GetSystemMetrics(SM_CXSCREEN);
    screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Speed = 60;
    HWND backdrop = WhiteWindow(nullptr, BACKDROP_X, BACKDROP_Y, BACKDROP_SIZE, BACKDROP_SIZE);
    // The picture's size on the preview, give or take the halftone's soft edge.
    int size = (BALL_SIZE * PARENT_WIDTH + screenWidth / 2) / screenWidth;
    // Sun and Sphere are round, Saturn's rings are not: the size is checked on round bodies.
    const struct {
        int16_t mode;
        int32_t first, second;
        bool round;
    } rows[] = {{SHOW_DOUBLE, PAIR_SUN, 10015, false}, {SHOW_MARS, PAIR_SUN, 10015, true},
                {SHOW_DOUBLE, PAIR_SPHERE, PAIR_SPHERE, true}};
    int index = 0;
    for (const auto& row : rows) {
        showMode = row.mode;
        BowlNo_1 = row.first;
        BowlNo_2 = row.second;
        HWND parent = WhiteWindow(backdrop, PARENT_X - BACKDROP_X, PARENT_Y - BACKDROP_Y, PARENT_WIDTH, PARENT_HEIGHT);
        PumpMessages(300);
        std::vector<DWORD> before = CaptureBackdrop();

        HWND preview = CreatePreviewWindow(parent);
        CHECK(preview != nullptr && IsWindowVisible(preview), "row %d: the preview is made and shown", index);
        RECT client = {};
        GetClientRect(preview, &client);
        CHECK(client.right == PARENT_WIDTH && client.bottom == PARENT_HEIGHT, "row %d: it fills the parent: %ldx%ld",
              index, client.right, client.bottom);
        CHECK(GetParent(preview) == parent, "row %d: a child of the parent", index);
        PumpMessages(700);
        std::vector<DWORD> first = CaptureBackdrop();
        PumpMessages(1000);
        std::vector<DWORD> second = CaptureBackdrop();

        CHECK_EQ(Changed(before, first, false) + Changed(before, second, false), 0,
                 "row %d: pixels changed outside the parent", index);
        PreviewPicture a = LookAtPreview(first), b = LookAtPreview(second);
        CHECK(a.black > PARENT_WIDTH * PARENT_HEIGHT * 3 / 4, "row %d: the preview is black (%d black pixels)", index,
              a.black);
        bool twoBalls = row.mode == SHOW_DOUBLE;
        // One ball starts at the middle and may lie across it; two stay in their halves.
        const RECT* balls[2] = {twoBalls ? &a.halves[0] : &a.whole, &a.halves[1]};
        CHECK(Found(*balls[0]), "row %d: a ball is drawn", index);
        if (twoBalls)
            CHECK(Found(a.halves[1]), "row %d: a ball in each half", index);
        for (int ball = 0; ball < (twoBalls ? 2 : 1) && row.round; ++ball) {
            int width = balls[ball]->right - balls[ball]->left + 1, height = balls[ball]->bottom - balls[ball]->top + 1;
            CHECK(width >= size - 6 && width <= size + 1 && height >= size - 6 && height <= size + 1,
                  "row %d ball %d: scaled down to about %d px: %dx%d", index, ball, size, width, height);
        }
        const RECT& later = twoBalls ? b.halves[0] : b.whole;
        CHECK(balls[0]->left != later.left || balls[0]->top != later.top,
              "row %d: the ball moves: (%ld,%ld) then (%ld,%ld)", index, balls[0]->left, balls[0]->top, later.left,
              later.top);
        if (twoBalls) {
            int leftCentre = (a.halves[0].left + a.halves[0].right) / 2;
            int rightCentre = (a.halves[1].left + a.halves[1].right) / 2;
            CHECK(std::abs(leftCentre - (PARENT_WIDTH - 1 - rightCentre)) <= 2, "row %d: mirror images at %d and %d",
                  index, leftCentre, rightCentre);
        }

        // Destroying the parent destroys the preview, which asks its process to end with 0.
        DestroyWindow(parent);
        CHECK(!IsWindow(preview), "row %d: the preview goes with its parent", index);
        MSG quit = {};
        CHECK(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 0,
              "row %d: the quit message, with exit code 0", index);
        ++index;
    }
    DestroyWindow(backdrop);
}

// A parent that goes without taking the preview along (as a window of another
// process might): the preview finds it gone and ends all the same.
static void TestPreviewOutlivesNothing()
{
    HWND parent = WhiteWindow(nullptr, 0, 0, PARENT_WIDTH, PARENT_HEIGHT);
    HWND preview = CreatePreviewWindow(parent);
    SetParent(preview, nullptr); // the preview stays, its parent goes
    DestroyWindow(parent);
    // Dispatches until the quit message, for at most a second.
    MSG message = {};
    bool quit = false;
    for (DWORD start = GetTickCount(); !quit && GetTickCount() - start < 1000;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (!quit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            quit = message.message == WM_QUIT;
            DispatchMessageA(&message);
        }
    }
    CHECK(!IsWindow(preview), "the preview ends when its parent is gone");
    CHECK(quit && message.wParam == 0, "and asks for exit code 0");
    if (IsWindow(preview))
        DestroyWindow(preview);
}

static void TestPreviewLeaksNothing()
{
    showMode = SHOW_DOUBLE;
    int gdiBefore = 0, userBefore = 0;
    for (int round = 0; round < 21; ++round) {
        if (round == 1) { // the first round settles the caches
            gdiBefore = CountGdiObjects();
            userBefore = CountUserObjects();
        }
        HWND parent = WhiteWindow(nullptr, 0, 0, PARENT_WIDTH, PARENT_HEIGHT);
        CreatePreviewWindow(parent);
        PumpMessages(60);
        DestroyWindow(parent);
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    CHECK_EQ(CountGdiObjects(), gdiBefore, "GDI objects after 20 previews");
    CHECK_EQ(CountUserObjects(), userBefore, "USER objects after 20 previews");
}

int main()
{
    instanceHandle = GetModuleHandleA(nullptr);
    TestSetupOpens();
    TestSetupWrites();
    TestReadOnlyWrites();
    TestPreview();
    TestPreviewOutlivesNothing();
    TestPreviewLeaksNothing();
    return CheckSummary();
}
