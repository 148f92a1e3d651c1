// The settings dialogs and the About box, run for real under Wine: opened with
// DialogBoxParamA, driven by messages from inside their own modal loops, with
// the settings file checked byte for byte and the picture read back from screen.
#include <windows.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "base/globals.h"
#include "check.h"
#include "dialogs/dialogs.h"
#include "modal.h"
#include "resources/resource.h"

static HWND owner;

// Every case gets a settings file of its own name: Wine caches a profile it has just read.
static void UseSettingsFile(const char* name, const char* bytes)
{
    TemporarySettingsPath(settingsPath, name);
    if (bytes != nullptr)
        WriteFileBytes(settingsPath, bytes);
}

static bool FileHolds(const char* expected)
{
    char text[1024];
    ReadFileBytes(settingsPath, text, sizeof text);
    if (std::strcmp(text, expected) == 0)
        return true;
    std::printf("    file holds: \"%s\"\n", text);
    return false;
}

static bool FileExists()
{
    return GetFileAttributesA(settingsPath) != INVALID_FILE_ATTRIBUTES;
}

static INT_PTR RunDialog(const char* name, DLGPROC procedure, std::initializer_list<ModalStep> steps)
{
    StartModalSteps(steps);
    INT_PTR result = DialogBoxParamA(instanceHandle, name, owner, procedure, 0);
    CHECK(StopModalSteps(), "%s: every step ran and the dialog ended by itself", name);
    return result;
}

static void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Escape as the keyboard would send it, to the focus or, without one, the dialog.
static void PressEscape(HWND dialog)
{
    HWND target = GetFocus();
    if (target == nullptr || !IsChild(dialog, target))
        target = dialog;
    PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

static void Nothing(HWND) {}

// --- What the dialogs receive and draw, recorded by a hook ---------------------

static int drawEntireCount;       // WM_DRAWITEM with ODA_DRAWENTIRE seen by any dialog
static WPARAM commandsSeen[32];   // WM_COMMANDs sent to dialogs, oldest first
static int commandCount;

static LRESULT CALLBACK RecordDialogMessages(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && IsClass(call->hwnd, "#32770")) {
        if (call->message == WM_DRAWITEM
            && reinterpret_cast<const DRAWITEMSTRUCT*>(call->lParam)->itemAction == ODA_DRAWENTIRE)
            ++drawEntireCount;
        if (call->message == WM_COMMAND && commandCount < 32)
            commandsSeen[commandCount++] = call->wParam;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// === SCRNSAVER ===================================================================

static char seenMinutes[16], seenSpeed[16];
static HWND seenDialog;
static LONG seenMinutesStyle, seenSpeedStyle;

static void RecordTimeDialog(HWND dialog)
{
    seenDialog = dialog;
    GetDlgItemTextA(dialog, IDC_MINUTES, seenMinutes, sizeof seenMinutes);
    GetDlgItemTextA(dialog, IDC_SPEED, seenSpeed, sizeof seenSpeed);
    seenMinutesStyle = GetWindowLongA(GetDlgItem(dialog, IDC_MINUTES), GWL_STYLE);
    seenSpeedStyle = GetWindowLongA(GetDlgItem(dialog, IDC_SPEED), GWL_STYLE);
}

static void TestTimeDialogOpens()
{
    UseSettingsFile("open", "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\n");
    waitLimit = -1;
    Speed = -1;
    tickCounter = 123;
    INT_PTR result = RunDialog("SCRNSAVER", ScrnSaverDlgProc, {RecordTimeDialog, PressEscape});
    CHECK(std::strcmp(seenMinutes, "5") == 0, "minutes box shows \"%s\"", seenMinutes);
    CHECK(std::strcmp(seenSpeed, "60") == 0, "speed box shows \"%s\"", seenSpeed);
    CHECK(seenMinutesStyle & ES_RIGHT, "the minutes sit at the right edge of their box");
    CHECK(!(seenSpeedStyle & (ES_RIGHT | ES_CENTER)), "the speed sits at the left edge of its box");
    CHECK_EQ(result, IDCANCEL, "Escape ends the dialog with 2");
    CHECK_EQ(waitLimit, 1200, "opening reads the wait limit from the file");
    CHECK_EQ(Speed, 60, "opening reads the speed from the file");
    CHECK_EQ(tickCounter, 123, "neither opening nor Escape touches the tick counter");
    CHECK(FileHolds("[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\n"), "Escape writes nothing");
}

static void TestTenMinutes()
{
    UseSettingsFile("ten", "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\n");
    tickCounter = 500;
    INT_PTR result = RunDialog("SCRNSAVER", ScrnSaverDlgProc, {
        [](HWND dialog) { Type(dialog, IDC_MINUTES, "10"); },
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    CHECK_EQ(result, IDOK, "OK ends the dialog with 1");
    CHECK_EQ(waitLimit, 2400, "10 minutes are 2400 ticks");
    CHECK_EQ(Speed, 60, "the speed stays");
    CHECK_EQ(tickCounter, 0, "OK starts the wait again");
    CHECK(FileHolds("[bounceinit]\r\nTimeInterval=10\r\nSpeed=60\r\n"), "OK writes both boxes");
}

static void TestSixDigits()
{
    UseSettingsFile("six", "[bounceinit]\r\nTimeInterval=123456\r\nSpeed=9876543\r\n");
    INT_PTR result = RunDialog("SCRNSAVER", ScrnSaverDlgProc, {RecordTimeDialog, PressEscape});
    CHECK(std::strcmp(seenMinutes, "12345") == 0, "six stored digits show as five: \"%s\"", seenMinutes);
    CHECK(std::strcmp(seenSpeed, "98765") == 0, "seven stored digits show as five: \"%s\"", seenSpeed);
    CHECK_EQ(result, IDCANCEL, "Escape");
    CHECK_EQ(waitLimit, 12345 * 240, "opening alone sets the wait limit from the five digits");
    CHECK_EQ(Speed, 98765, "opening alone sets the speed from the five digits");
    CHECK(FileHolds("[bounceinit]\r\nTimeInterval=123456\r\nSpeed=9876543\r\n"), "the file keeps all its digits");
}

static void TestEmptiedBox()
{
    UseSettingsFile("empty", "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\n");
    INT_PTR result = RunDialog("SCRNSAVER", ScrnSaverDlgProc, {
        [](HWND dialog) { Type(dialog, IDC_MINUTES, ""); },
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    CHECK_EQ(result, IDOK, "OK");
    CHECK_EQ(waitLimit, 0, "an empty box is 0 minutes");
    CHECK(FileHolds("[bounceinit]\r\nTimeInterval=\r\nSpeed=60\r\n"), "an empty box is written empty");
}

// The boxes' texts go to the file as typed, cut to five characters; the numbers by atoi's rules.
static void TestTextsAsTyped()
{
    UseSettingsFile("typed", "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\n");
    INT_PTR result = RunDialog("SCRNSAVER", ScrnSaverDlgProc, {
        [](HWND dialog) { SetDlgItemTextA(dialog, IDC_MINUTES, "1234567"); },
        [](HWND dialog) { Type(dialog, IDC_SPEED, "-7x"); },
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    CHECK_EQ(result, IDOK, "OK");
    CHECK_EQ(waitLimit, 12345 * 240, "only five characters of the minutes box count");
    CHECK_EQ(Speed, -7, "a negative speed is taken unchanged");
    CHECK(FileHolds("[bounceinit]\r\nTimeInterval=12345\r\nSpeed=-7x\r\n"), "texts written as typed");
}

static void TestNoSettingsFile()
{
    UseSettingsFile("none", nullptr);
    waitLimit = 1200;
    Speed = 60;
    INT_PTR result = RunDialog("SCRNSAVER", ScrnSaverDlgProc, {
        RecordTimeDialog,
        // The close box sends what Escape sends.
        [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    });
    CHECK(seenMinutes[0] == '\0' && seenSpeed[0] == '\0', "missing keys show empty boxes");
    CHECK_EQ(result, IDCANCEL, "the close box ends the dialog with 2");
    CHECK_EQ(waitLimit, 0, "opening with a missing key sets the wait limit to 0");
    CHECK_EQ(Speed, 0, "opening with a missing key sets the speed to 0");
    CHECK(!FileExists(), "the close box writes nothing");
}

static void TestTimeDialogResults()
{
    UseSettingsFile("results", "[bounceinit]\r\nTimeInterval=3\r\nSpeed=40\r\n");
    INT_PTR result = RunDialog("SCRNSAVER", ScrnSaverDlgProc, {
        [](HWND dialog) {
            // 0 for WM_INITDIALOG asks the platform for no default focus.
            const struct { UINT message; WPARAM wParam; } others[] = {
                {WM_INITDIALOG, 0},
                {WM_COMMAND, MAKEWPARAM(IDC_MINUTES, EN_CHANGE)},
                {WM_COMMAND, MAKEWPARAM(IDC_SPEED, EN_SETFOCUS)},
                {WM_COMMAND, 12345},
                {WM_TIMER, 1},
                {WM_NULL, 0},
            };
            int row = 0;
            for (const auto& other : others) {
                CHECK_EQ(ScrnSaverDlgProc(dialog, other.message, other.wParam, 0), 0, "row %d returns 0", row);
                ++row;
            }
            CHECK(IsWindowVisible(dialog), "other commands leave the dialog open");
        },
        [](HWND dialog) { CHECK_EQ(ScrnSaverDlgProc(dialog, WM_COMMAND, IDCANCEL, 0), 0, "IDCANCEL returns 0"); },
    });
    CHECK_EQ(result, IDCANCEL, "IDCANCEL");
    CHECK(FileHolds("[bounceinit]\r\nTimeInterval=3\r\nSpeed=40\r\n"), "nothing written");
}

// === BOWLSELECT ==================================================================

constexpr int RADIO_IDS[16] = {100, 101, 102, 103, 104, 105, 106, 107,
                               110, 111, 112, 113, 114, 115, 116, 117};
static unsigned seenChecks; // bit i: RADIO_IDS[i] is checked

static unsigned ReadChecks(HWND dialog)
{
    unsigned checks = 0;
    for (int i = 0; i < 16; ++i)
        if (IsDlgButtonChecked(dialog, RADIO_IDS[i]) == BST_CHECKED)
            checks |= 1u << i;
    return checks;
}

static unsigned Bit(int radioId)
{
    for (int i = 0; i < 16; ++i)
        if (RADIO_IDS[i] == radioId)
            return 1u << i;
    return 0;
}

static void RecordChecks(HWND dialog)
{
    seenChecks = ReadChecks(dialog);
    seenDialog = dialog;
}

struct OpeningRow {
    const char* first;   // the stored BowlNo_1, nullptr: missing
    const char* second;  // the stored BowlNo_2
    int32_t memoryFirst, memorySecond;
    unsigned checks;
};

static void TestPairDialogOpens()
{
    const OpeningRow rows[] = {
        {"10010", "10017", 10010, 10017, Bit(100) | Bit(117)},
        {"10017", "10010", 10017, 10010, Bit(107) | Bit(110)},
        {"10013", "10016", 10013, 10016, Bit(103) | Bit(116)},
        {"10016", "10013", 10016, 10013, Bit(106) | Bit(113)},
        {"10011", "10011", 10011, 10011, Bit(101) | Bit(111)},
        {"+10014", " 10015", 10014, 10015, Bit(104) | Bit(115)},
        // Out of range: no radio of that column.
        {"0", "10018", 0, 10018, 0},
        {"10018", "0", 10018, 0, 0},
        {"10009", "99999", 10009, 99999, 0},
        {"abc", "10012", 0, 10012, Bit(112)},
        {nullptr, nullptr, 0, 0, 0},
        // The marks go by the computed id: BowlNo_2 10000..10007 marks under "Pattern 1"...
        {"10012", "10000", 10012, 10000, Bit(102) | Bit(100)},
        {"10012", "10003", 10012, 10003, Bit(102) | Bit(103)},
        {"10012", "10007", 10012, 10007, Bit(102) | Bit(107)},
        {"0", "10005", 0, 10005, Bit(105)},
        // ...while a BowlNo_1 of 10020..10027 is marked under "Pattern 2" and cleared again.
        {"10025", "10014", 10025, 10014, Bit(114)},
        {"10020", "0", 10020, 0, 0},
        // A code so low that its id would leave the 32-bit range checks nothing.
        {"-2147483648", "-2147483648", INT32_MIN, INT32_MIN, 0},
        {"-99999999999", "10016", INT32_MIN, 10016, Bit(116)},
        {"10010", "-2147483000", 10010, -2147483000, Bit(100)},
    };
    int index = 0;
    for (const OpeningRow& row : rows) {
        char name[32], bytes[256] = "[bounceinit]\r\n";
        std::snprintf(name, sizeof name, "open%d", index);
        if (row.first != nullptr)
            std::snprintf(bytes, sizeof bytes, "[bounceinit]\r\nBowlNo_1=%s\r\nBowlNo_2=%s\r\n", row.first, row.second);
        UseSettingsFile(name, bytes);
        pairAccepted = 1;
        INT_PTR result = RunDialog("BOWLSELECT", BowlSelectDlgProc, {
            [](HWND dialog) {
                RecordChecks(dialog);
                CHECK_EQ(pairAccepted, 0, "opening clears the pair accepted flag");
            },
            [](HWND dialog) { Click(dialog, IDCANCEL); },
        });
        CHECK_EQ(seenChecks, row.checks, "row %d: radios checked", index);
        CHECK_EQ(BowlNo_1, row.memoryFirst, "row %d: BowlNo_1", index);
        CHECK_EQ(BowlNo_2, row.memorySecond, "row %d: BowlNo_2", index);
        CHECK_EQ(result, IDCANCEL, "row %d: Cancel", index);
        CHECK_EQ(pairAccepted, 0, "row %d: Cancel leaves the flag clear", index);
        CHECK(FileHolds(bytes), "row %d: Cancel writes nothing", index);
        ++index;
    }
}

static void TestSunThenCancel()
{
    const char stored[] = "[bounceinit]\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n";
    UseSettingsFile("sun", stored);
    INT_PTR result = RunDialog("BOWLSELECT", BowlSelectDlgProc, {
        [](HWND dialog) { Click(dialog, 116); },
        [](HWND dialog) {
            RecordChecks(dialog);
            CHECK_EQ(BowlNo_2, 10016, "a click changes BowlNo_2 at once");
        },
        [](HWND dialog) { Click(dialog, IDCANCEL); },
    });
    CHECK_EQ(seenChecks, Bit(101) | Bit(116), "Sun alone checked under Pattern 2");
    CHECK_EQ(result, IDCANCEL, "Cancel");
    CHECK_EQ(BowlNo_1, 10011, "BowlNo_1 untouched");
    CHECK_EQ(BowlNo_2, 10016, "Cancel does not undo the click");
    CHECK_EQ(pairAccepted, 0, "Cancel clears the flag");
    CHECK(FileHolds(stored), "the file keeps its values");

    // The next opening reads the file's value back into memory.
    RunDialog("BOWLSELECT", BowlSelectDlgProc, {PressEscape});
    CHECK_EQ(BowlNo_2, 10014, "reopening sets BowlNo_2 back to the file's value");
}

static void TestOkWithoutClicks()
{
    const char stored[] = "[bounceinit]\r\nBowlNo_1=10013\r\nBowlNo_2=10016\r\n";
    UseSettingsFile("ok", stored);
    pairAccepted = 0;
    INT_PTR result = RunDialog("BOWLSELECT", BowlSelectDlgProc, {
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    CHECK_EQ(result, IDOK, "OK ends with 1");
    CHECK_EQ(pairAccepted, 1, "OK sets the flag");
    CHECK(FileHolds(stored), "OK writes the loaded values back unchanged");

    // A missing key is 0 in memory, and OK writes that 0; a low code goes back unchanged.
    UseSettingsFile("okzero", "[bounceinit]\r\nBowlNo_1=-2147483648\r\n");
    result = RunDialog("BOWLSELECT", BowlSelectDlgProc, {[](HWND dialog) { Click(dialog, IDOK); }});
    CHECK_EQ(result, IDOK, "OK");
    CHECK_EQ(BowlNo_1, INT32_MIN, "the lowest code stays unchanged in memory");
    CHECK(FileHolds("[bounceinit]\r\nBowlNo_1=-2147483648\r\nBowlNo_2=0\r\n"), "both codes written");
}

static void TestEveryRadio()
{
    UseSettingsFile("every", "[bounceinit]\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n");
    INT_PTR result = RunDialog("BOWLSELECT", BowlSelectDlgProc, {
        [](HWND dialog) {
            for (int i = 0; i < 16; ++i) {
                int id = RADIO_IDS[i];
                Click(dialog, id);
                unsigned checks = ReadChecks(dialog);
                unsigned column = i < 8 ? 0x00FFu : 0xFF00u;
                CHECK_EQ(checks & column, Bit(id), "radio %d alone checked in its column", id);
                if (i < 8)
                    CHECK_EQ(BowlNo_1, id + 9910, "radio %d sets BowlNo_1", id);
                else
                    CHECK_EQ(BowlNo_2, id + 9900, "radio %d sets BowlNo_2", id);
            }
        },
        [](HWND dialog) { Click(dialog, 105); },
        [](HWND dialog) { Click(dialog, 112); },
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    CHECK_EQ(result, IDOK, "OK");
    CHECK(FileHolds("[bounceinit]\r\nBowlNo_1=10015\r\nBowlNo_2=10012\r\n"), "OK writes the clicked codes");
}

static void TestDoubleClick()
{
    UseSettingsFile("double", "[bounceinit]\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n");
    commandCount = 0;
    INT_PTR result = RunDialog("BOWLSELECT", BowlSelectDlgProc, {
        // What the radio itself reports for a double-click...
        [](HWND dialog) { SendMessageA(GetDlgItem(dialog, 104), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2)); },
        // ...and the notification code sent directly.
        [](HWND dialog) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(115, BN_DOUBLECLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, 115)));
        },
        RecordChecks,
        [](HWND dialog) { Click(dialog, IDCANCEL); },
    });
    bool doubleSeen = false, singleSeen = false;
    for (int i = 0; i < commandCount; ++i) {
        if (commandsSeen[i] == MAKEWPARAM(104, BN_DOUBLECLICKED))
            doubleSeen = true;
        if (commandsSeen[i] == MAKEWPARAM(104, BN_CLICKED))
            singleSeen = true;
    }
    CHECK(doubleSeen && !singleSeen, "the radio reported a double-click and no click");
    CHECK_EQ(seenChecks, Bit(104) | Bit(115), "double-clicked radios checked");
    CHECK_EQ(BowlNo_1, 10014, "a double-click sets BowlNo_1 as a click does");
    CHECK_EQ(BowlNo_2, 10015, "a double-click sets BowlNo_2 as a click does");
    CHECK_EQ(result, IDCANCEL, "Cancel");
}

static void TestPairDialogResults()
{
    UseSettingsFile("pairresults", "[bounceinit]\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n");
    INT_PTR result = RunDialog("BOWLSELECT", BowlSelectDlgProc, {
        RecordChecks,
        [](HWND dialog) {
            CHECK_EQ(BowlSelectDlgProc(dialog, WM_INITDIALOG, 0, 0), TRUE, "WM_INITDIALOG returns TRUE");
            CHECK_EQ(BowlSelectDlgProc(dialog, WM_COMMAND, 103, 0), 0, "a radio returns 0");
            CHECK_EQ(BowlNo_1, 10013, "and takes effect");
            CHECK_EQ(BowlSelectDlgProc(dialog, WM_COMMAND, 108, 0), 0, "an id between the columns returns 0");
            CHECK_EQ(BowlSelectDlgProc(dialog, WM_COMMAND, 99, 0), 0, "another id returns 0");
            CHECK_EQ(BowlSelectDlgProc(dialog, WM_NULL, 0, 0), 0, "another message returns 0");
            CHECK_EQ(BowlNo_1, 10013, "ids outside the columns change nothing");
            CHECK_EQ(BowlNo_2, 10014, "ids outside the columns change nothing");
        },
        [](HWND dialog) { CHECK_EQ(BowlSelectDlgProc(dialog, WM_COMMAND, IDOK, 0), TRUE, "OK returns TRUE"); },
    });
    CHECK_EQ(result, IDOK, "OK");
    CHECK(FileHolds("[bounceinit]\r\nBowlNo_1=10013\r\nBowlNo_2=10014\r\n"), "OK wrote the memory");

    UseSettingsFile("pairescape", "[bounceinit]\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n");
    pairAccepted = 1;
    result = RunDialog("BOWLSELECT", BowlSelectDlgProc, {
        [](HWND dialog) { CHECK_EQ(BowlSelectDlgProc(dialog, WM_COMMAND, IDCANCEL, 0), TRUE, "Cancel returns TRUE"); },
    });
    CHECK_EQ(result, IDCANCEL, "IDCANCEL");
    CHECK_EQ(pairAccepted, 0, "flag clear");
}

// === About box ===================================================================

static bool seenOpen;

static void TestAboutCloses()
{
    seenOpen = false;
    INT_PTR result = RunDialog("AboutDlg", AboutDlgProc, {
        PressEscape,
        Nothing,
        [](HWND dialog) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            CHECK_EQ(AboutDlgProc(dialog, WM_COMMAND, IDCANCEL, 0), 0, "IDCANCEL returns 0");
            CHECK_EQ(AboutDlgProc(dialog, WM_INITDIALOG, 0, 0), 0, "WM_INITDIALOG returns 0: no default focus");
        },
        [](HWND dialog) {
            SendMessageA(dialog, WM_COMMAND, 9999, 0);
            seenOpen = IsWindowVisible(dialog) != 0;
            seenDialog = dialog;
        },
        [](HWND dialog) { Click(dialog, IDC_ABOUT_PICTURE); },
    });
    CHECK(seenOpen, "Escape, IDCANCEL and other commands leave the box open");
    CHECK_EQ(result, 1, "a click on the picture closes the box with 1");

    result = RunDialog("AboutDlg", AboutDlgProc, {
        [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 7), 0); },
    });
    CHECK_EQ(result, 1, "a command with id 1 closes the box, whatever its notification code");

    // Without its template the box cannot be made: DialogBoxParamA's failure value comes back.
    instanceHandle = GetModuleHandleA("kernel32.dll");
    result = OpenAboutBox(owner);
    instanceHandle = GetModuleHandleA(nullptr);
    CHECK_EQ(result, -1, "no template, no box");
}

// A 32-bit top-down DIB section in a memory DC, filled with a sentinel colour.
struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    DWORD* bits;
    int width, height;
};

constexpr DWORD SENTINEL = 0x00FF00FF;

static Canvas MakeCanvas(int width, int height)
{
    Canvas canvas = {};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    canvas.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    canvas.bits = static_cast<DWORD*>(bits);
    canvas.dc = CreateCompatibleDC(nullptr);
    canvas.previous = SelectObject(canvas.dc, canvas.bitmap);
    canvas.width = width;
    canvas.height = height;
    for (int i = 0; i < width * height; ++i)
        canvas.bits[i] = SENTINEL;
    return canvas;
}

static void FreeCanvas(Canvas& canvas)
{
    SelectObject(canvas.dc, canvas.previous);
    DeleteDC(canvas.dc);
    DeleteObject(canvas.bitmap);
}

// The reference: PARKDLG copied by the platform itself, stretched or at its own size.
static void DrawReference(Canvas& canvas, const RECT& box, bool stretch)
{
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), "PARKDLG");
    HGDIOBJ previous = SelectObject(source, picture);
    if (stretch)
        StretchBlt(canvas.dc, box.left, box.top, box.right - box.left, box.bottom - box.top, source, 0, 0, 98, 47, SRCCOPY);
    else
        BitBlt(canvas.dc, box.left, box.top, 98, 47, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(picture);
}

static int DifferingPixels(const Canvas& a, const Canvas& b)
{
    int differ = 0;
    for (int i = 0; i < a.width * a.height; ++i)
        if ((a.bits[i] & 0xFFFFFF) != (b.bits[i] & 0xFFFFFF))
            ++differ;
    return differ;
}

static int Colours(const Canvas& canvas, const RECT& box)
{
    DWORD seen[16];
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            DWORD colour = canvas.bits[y * canvas.width + x] & 0xFFFFFF;
            bool known = false;
            for (int i = 0; i < count; ++i)
                known = known || seen[i] == colour;
            if (!known && count < 16)
                seen[count++] = colour;
        }
    return count;
}

static DRAWITEMSTRUCT ItemOn(HDC dc, RECT box)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = IDC_ABOUT_PICTURE;
    item.itemAction = ODA_DRAWENTIRE;
    item.hDC = dc;
    item.rcItem = box;
    return item;
}

// The picture filling the rectangle, scaled in each direction; and at its own size.
static void TestDrawBitmapItem()
{
    const struct { RECT box; BOOL stretch; } rows[] = {
        {{10, 5, 110, 55}, TRUE},
        {{0, 0, 49, 100}, TRUE},
        {{3, 2, 101, 49}, TRUE},
        {{7, 3, 40, 20}, FALSE},
        {{0, 0, 120, 60}, FALSE},
    };
    int index = 0;
    for (const auto& row : rows) {
        Canvas drawn = MakeCanvas(120, 110), expected = MakeCanvas(120, 110);
        DRAWITEMSTRUCT item = ItemOn(drawn.dc, row.box);
        CHECK_EQ(DrawBitmapItem(&item, "parkdlg", row.stretch), TRUE, "row %d draws", index);
        DrawReference(expected, row.box, row.stretch);
        CHECK_EQ(DifferingPixels(drawn, expected), 0, "row %d: pixels as the platform copies them", index);
        CHECK(Colours(drawn, row.box) >= 4, "row %d: a picture, not a plain area", index);
        FreeCanvas(drawn);
        FreeCanvas(expected);
        ++index;
    }
    // The two modes really differ, so the comparison above tells them apart.
    Canvas stretched = MakeCanvas(120, 110), plain = MakeCanvas(120, 110);
    RECT box = {10, 5, 110, 55};
    DrawReference(stretched, box, true);
    DrawReference(plain, box, false);
    CHECK(DifferingPixels(stretched, plain) > 100, "stretched and plain copies differ");
    FreeCanvas(stretched);
    FreeCanvas(plain);
}

// Only the whole-item action of the picture button draws; the procedure returns 0 throughout.
static void TestAboutDrawFilter()
{
    const struct { UINT type; UINT id; UINT action; bool draws; } rows[] = {
        {ODT_BUTTON, IDC_ABOUT_PICTURE, ODA_DRAWENTIRE, true},
        {ODT_BUTTON, IDC_ABOUT_PICTURE, ODA_FOCUS, false},
        {ODT_BUTTON, IDC_ABOUT_PICTURE, ODA_SELECT, false},
        {ODT_BUTTON, IDC_ABOUT_PICTURE, ODA_DRAWENTIRE | ODA_FOCUS, false},
        {ODT_BUTTON, 101, ODA_DRAWENTIRE, false},
        {ODT_BUTTON, IDOK, ODA_DRAWENTIRE, false},
        {ODT_STATIC, IDC_ABOUT_PICTURE, ODA_DRAWENTIRE, false},
    };
    int index = 0;
    for (const auto& row : rows) {
        Canvas canvas = MakeCanvas(98, 47);
        DRAWITEMSTRUCT item = ItemOn(canvas.dc, RECT{0, 0, 98, 47});
        item.CtlType = row.type;
        item.CtlID = row.id;
        item.itemAction = row.action;
        CHECK_EQ(AboutDlgProc(owner, WM_DRAWITEM, row.id, reinterpret_cast<LPARAM>(&item)), 0, "row %d returns 0", index);
        RECT whole = {0, 0, 98, 47};
        CHECK_EQ(Colours(canvas, whole) > 1, row.draws, "row %d draws", index);
        FreeCanvas(canvas);
        ++index;
    }
}

// A bitmap that is not there: the message each time, owned by the park window, nothing drawn.
static void TestMissingBitmap()
{
    int gdiBefore = CountGdiObjects();
    seenBoxCount = 0;
    Canvas canvas = MakeCanvas(60, 40);
    DRAWITEMSTRUCT item = ItemOn(canvas.dc, RECT{0, 0, 60, 40});
    for (int paint = 0; paint < 3; ++paint) {
        StartModalSteps({RecordMessageBoxAndClose});
        BOOL drawn = DrawBitmapItem(&item, "nosuchpicture", TRUE);
        CHECK(StopModalSteps(), "paint %d: the message box came and was answered", paint);
        CHECK_EQ(drawn, FALSE, "paint %d: FALSE", paint);
    }
    CHECK_EQ(seenBoxCount, 3, "one message per paint");
    for (int i = 0; i < seenBoxCount; ++i) {
        CHECK(lstrcmpW(seenBoxes[i].text, L"ﾋﾞｯﾄﾏｯﾌﾟが作成できません。") == 0, "box %d text %ls", i, seenBoxes[i].text);
        CHECK(seenBoxes[i].caption[0] == L'\0', "box %d has an empty caption", i);
        CHECK(seenBoxes[i].owner == parkWindow, "box %d is owned by the park window", i);
    }
    int untouched = 0;
    for (int i = 0; i < 60 * 40; ++i)
        untouched += canvas.bits[i] == SENTINEL ? 1 : 0;
    CHECK_EQ(untouched, 60 * 40, "nothing drawn");
    FreeCanvas(canvas);
    CHECK_EQ(CountGdiObjects(), gdiBefore, "no GDI object left behind");
}

// The real About box with a module that lacks the picture: the message on every
// paint, the box undrawn, and a click still closes it.
static BOOL CALLBACK MatchAboutBox(HWND window, LPARAM found)
{
    HWND button = GetDlgItem(window, IDC_ABOUT_PICTURE);
    if (IsClass(window, "#32770") && button != nullptr
        && (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW)
        *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

static HWND FindAboutBox()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchAboutBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

static int forcedRepaints;

// Answers every message box as it comes; with none open, repaints the picture
// twice and then clicks it.
static void AnswerAndRepaint(HWND modal)
{
    HWND about = FindAboutBox();
    if (modal != about) {
        RecordMessageBoxAndClose(modal);
        RepeatThisStep();
    } else if (forcedRepaints < 2) {
        ++forcedRepaints;
        InvalidateRect(GetDlgItem(about, IDC_ABOUT_PICTURE), nullptr, FALSE);
        RepeatThisStep();
    } else {
        Click(about, IDC_ABOUT_PICTURE);
    }
}

static void TestAboutWithoutPicture()
{
    HMODULE module = GetModuleHandleA(nullptr);
    const DLGTEMPLATE* about = static_cast<const DLGTEMPLATE*>(
        LockResource(LoadResource(module, FindResourceA(module, "AboutDlg", MAKEINTRESOURCEA(5)))));
    instanceHandle = GetModuleHandleA("kernel32.dll");
    seenBoxCount = 0;
    drawEntireCount = 0;
    forcedRepaints = 0;
    StartModalSteps({AnswerAndRepaint});
    INT_PTR result = DialogBoxIndirectParamA(module, about, owner, AboutDlgProc, 0);
    CHECK(StopModalSteps(), "every step ran");
    instanceHandle = module;
    CHECK_EQ(result, 1, "a click closes the box without its picture");
    CHECK(drawEntireCount >= 3, "the first paint and two more (%d)", drawEntireCount);
    CHECK_EQ(seenBoxCount, drawEntireCount, "the message on each paint");
    for (int i = 0; i < seenBoxCount && i < 8; ++i) {
        CHECK(lstrcmpW(seenBoxes[i].text, L"ﾋﾞｯﾄﾏｯﾌﾟが作成できません。") == 0, "box %d text", i);
        CHECK(seenBoxes[i].caption[0] == L'\0', "box %d has an empty caption", i);
        CHECK(seenBoxes[i].owner == parkWindow, "box %d owned by the park window, not the About box", i);
    }
}

// A device without RC_BITBLT: nothing drawn, nothing said.
static void TestNoBitBlt()
{
    HDC metafile = CreateMetaFileA(nullptr);
    CHECK_EQ(GetDeviceCaps(metafile, RASTERCAPS) & RC_BITBLT, 0, "a metafile cannot BitBlt");
    int gdiBefore = CountGdiObjects();
    DRAWITEMSTRUCT item = ItemOn(metafile, RECT{0, 0, 98, 42});
    seenBoxCount = 0;
    StartModalSteps({RecordMessageBoxAndClose});
    CHECK_EQ(DrawBitmapItem(&item, "parkdlg", TRUE), FALSE, "FALSE without RC_BITBLT");
    StopModalSteps();
    CHECK_EQ(seenBoxCount, 0, "no message");
    CHECK_EQ(CountGdiObjects(), gdiBefore, "nothing created");
    DeleteMetaFile(CloseMetaFile(metafile));
}

// The box's picture read back from the screen: PARKDLG stretched to the button,
// which fills the box.
static Canvas shownPicture;
static RECT shownButton, expectedButton, shownBox;

static void CapturePicture(HWND dialog)
{
    HWND button = GetDlgItem(dialog, IDC_ABOUT_PICTURE);
    UpdateWindow(dialog);
    GetClientRect(button, &shownButton);
    expectedButton = RECT{0, 0, 49, 21};
    MapDialogRect(dialog, &expectedButton);
    GetClientRect(dialog, &shownBox);
    shownPicture = MakeCanvas(shownButton.right, shownButton.bottom);
    HDC dc = GetDC(button);
    BitBlt(shownPicture.dc, 0, 0, shownButton.right, shownButton.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(button, dc);
}

static void TestAboutPicture()
{
    drawEntireCount = 0;
    INT_PTR result = RunDialog("AboutDlg", AboutDlgProc, {
        CapturePicture,
        // Pressing and focusing the button draw nothing new.
        [](HWND dialog) {
            HWND button = GetDlgItem(dialog, IDC_ABOUT_PICTURE);
            SendMessageA(button, BM_SETSTATE, TRUE, 0);
            SetFocus(button);
            UpdateWindow(dialog);
        },
        [](HWND dialog) {
            Canvas again = MakeCanvas(shownPicture.width, shownPicture.height);
            HWND button = GetDlgItem(dialog, IDC_ABOUT_PICTURE);
            HDC dc = GetDC(button);
            BitBlt(again.dc, 0, 0, again.width, again.height, dc, 0, 0, SRCCOPY);
            ReleaseDC(button, dc);
            CHECK_EQ(DifferingPixels(again, shownPicture), 0, "a pressed, focused button shows the same picture");
            FreeCanvas(again);
            SendMessageA(button, BM_SETSTATE, FALSE, 0);
        },
        [](HWND dialog) { Click(dialog, IDC_ABOUT_PICTURE); },
    });
    CHECK_EQ(result, 1, "closed by a click");
    CHECK(EqualRect(&shownButton, &expectedButton), "the button is 49 x 21 dialog units: %ldx%ld",
          shownButton.right, shownButton.bottom);
    CHECK(EqualRect(&shownButton, &shownBox), "the button fills the box");
    CHECK(drawEntireCount >= 1, "the picture was drawn");
    Canvas expected = MakeCanvas(shownPicture.width, shownPicture.height);
    DrawReference(expected, shownButton, true);
    CHECK_EQ(DifferingPixels(shownPicture, expected), 0, "the screen shows PARKDLG stretched to the button");
    CHECK(Colours(shownPicture, shownButton) >= 4, "the screen shows a picture");
    FreeCanvas(expected);
    FreeCanvas(shownPicture);

    // With the system font the button happens to be the picture's own size; a
    // button of another size shows that the picture is stretched to it.
    const SIZE sizes[] = {{60, 30}, {90, 20}, {40, 45}};
    for (SIZE size : sizes) {
        static SIZE buttonSize;
        buttonSize = size;
        result = RunDialog("AboutDlg", AboutDlgProc, {
            [](HWND dialog) {
                HWND button = GetDlgItem(dialog, IDC_ABOUT_PICTURE);
                SetWindowPos(button, nullptr, 0, 0, buttonSize.cx, buttonSize.cy, SWP_NOMOVE | SWP_NOZORDER);
                InvalidateRect(button, nullptr, FALSE);
            },
            CapturePicture,
            [](HWND dialog) { Click(dialog, IDC_ABOUT_PICTURE); },
        });
        CHECK_EQ(shownButton.right, size.cx, "resized button width");
        CHECK_EQ(shownButton.bottom, size.cy, "resized button height");
        Canvas stretched = MakeCanvas(size.cx, size.cy);
        DrawReference(stretched, shownButton, true);
        CHECK_EQ(DifferingPixels(shownPicture, stretched), 0, "a %ldx%ld button shows the whole picture stretched",
                 size.cx, size.cy);
        FreeCanvas(stretched);
        FreeCanvas(shownPicture);
    }
}

// === No leaks ====================================================================

static void CheckNoLeak(const char* what, void (*openOnce)())
{
    for (int i = 0; i < 3; ++i)
        openOnce(); // the platform's first-use caches are not leaks
    int gdiBefore = CountGdiObjects(), userBefore = CountUserObjects();
    for (int i = 0; i < 200; ++i)
        openOnce();
    CHECK_EQ(CountGdiObjects(), gdiBefore, "GDI objects before and after 200 %s", what);
    CHECK_EQ(CountUserObjects(), userBefore, "USER objects before and after 200 %s", what);
}

static void TestNoLeaks()
{
    UseSettingsFile("leaks", "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n");
    CheckNoLeak("openings of SCRNSAVER", [] { RunDialog("SCRNSAVER", ScrnSaverDlgProc, {PressEscape}); });
    CheckNoLeak("openings of BOWLSELECT", [] {
        RunDialog("BOWLSELECT", BowlSelectDlgProc, {[](HWND dialog) { Click(dialog, IDCANCEL); }});
    });
    drawEntireCount = 0;
    CheckNoLeak("openings of the About box", [] {
        RunDialog("AboutDlg", AboutDlgProc, {[](HWND dialog) { Click(dialog, IDC_ABOUT_PICTURE); }});
    });
    CHECK(drawEntireCount >= 203, "every opening painted the picture (%d)", drawEntireCount);
    CHECK(FileHolds("[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\n"),
          "Escape and Cancel wrote nothing");
}

// 200 paints within one opening, as a box left open would get them.
static void TestManyPaints()
{
    RunDialog("AboutDlg", AboutDlgProc, {[](HWND dialog) { Click(dialog, IDC_ABOUT_PICTURE); }});
    int gdiBefore = CountGdiObjects(), userBefore = CountUserObjects();
    drawEntireCount = 0;
    RunDialog("AboutDlg", AboutDlgProc, {
        [](HWND dialog) {
            HWND button = GetDlgItem(dialog, IDC_ABOUT_PICTURE);
            for (int i = 0; i < 200; ++i)
                RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        },
        [](HWND dialog) { Click(dialog, IDC_ABOUT_PICTURE); },
    });
    CHECK(drawEntireCount >= 201, "200 paints (%d)", drawEntireCount);
    CHECK_EQ(CountGdiObjects(), gdiBefore, "GDI objects before and after 200 paints");
    CHECK_EQ(CountUserObjects(), userBefore, "USER objects before and after 200 paints");
}

int main()
{
    instanceHandle = GetModuleHandleA(nullptr);
    owner = CreateWindowExA(0, "static", "owner", WS_POPUP | WS_VISIBLE | WS_BORDER, 60, 60, 320, 240,
                            nullptr, nullptr, instanceHandle, nullptr);
    parkWindow = owner;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordDialogMessages, nullptr, GetCurrentThreadId());

    TestTimeDialogOpens();
    TestTenMinutes();
    TestSixDigits();
    TestEmptiedBox();
    TestTextsAsTyped();
    TestNoSettingsFile();
    TestTimeDialogResults();

    TestPairDialogOpens();
    TestSunThenCancel();
    TestOkWithoutClicks();
    TestEveryRadio();
    TestDoubleClick();
    TestPairDialogResults();

    TestAboutCloses();
    TestDrawBitmapItem();
    TestAboutDrawFilter();
    TestMissingBitmap();
    TestAboutWithoutPicture();
    TestNoBitBlt();
    TestAboutPicture();

    TestNoLeaks();
    TestManyPaints();

    UnhookWindowsHookEx(hook);
    DestroyWindow(owner);
    return CheckSummary();
}
