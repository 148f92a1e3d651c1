// Hoplette.scr in-process: its start-up reads the settings file without
// writing to it, and its settings dialog shows what it read, writes on OK
// and writes nothing on Cancel. Run with the screen saver's own resources.
#include <windows.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "app/globals.h"
#include "app/saver.h"
#include "app/settings.h"
#include "catalogue/catalogue.h"
#include "check.h"
#include "dialogs/dialogs.h"
#include "modal.h"
#include "resources/resource.h"

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

static void Type(HWND dialog, int id, const char* text)
{
    HWND box = GetDlgItem(dialog, id);
    SendMessageA(box, EM_SETSEL, 0, -1);
    SendMessageA(box, WM_CLEAR, 0, 0);
    for (const char* c = text; *c != '\0'; ++c)
        SendMessageA(box, WM_CHAR, static_cast<unsigned char>(*c), 1);
}

// What the dialog showed when it opened: the checked radio of each column (0: none) and the speed.
static int seenShow, seenFirst, seenSecond, seenOthers;
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
    } rows[] = {
        {"[bounceinit]\r\nSpeed=120\r\nBowlNo_1=10013\r\nBowlNo_2=10016\r\nSaverShow=10015\r\n",
         IDM_SATURN, 103, 116, "120"},
        {"[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n",
         IDM_DOUBLE, 101, 114, "60"},
        {"[bounceinit]\r\nSaverShow=10018\r\n", IDM_SPHERE, 101, 114, "60"},  // missing keys: built-in values
        {nullptr, IDM_DOUBLE, 101, 114, "60"},                                  // no file at all
        {"[bounceinit]\r\nSpeed=\r\nSaverShow=\r\n", IDM_DOUBLE, 101, 114, "60"},  // empty counts as missing
        {"[bounceinit]\r\nSaverShow=10010\r\n", IDM_EARTH, 101, 114, "60"},
        {"[bounceinit]\r\nSaverShow=abc\r\nBowlNo_1=5\r\nBowlNo_2=10000\r\n", IDM_DOUBLE, 0, 0, "60"},
        {"[bounceinit]\r\nSaverShow=99999999999\r\nSpeed=99999999999\r\n", IDM_DOUBLE, 101, 114, "99999"},
        {"[bounceinit]\r\nSaverShow=-10013\r\nSpeed=-20\r\n", IDM_DOUBLE, 101, 114, "-20"},
        {"[bounceinit]\r\nSpeed=-99999999\r\nBowlNo_1=-2147483648\r\n", IDM_DOUBLE, 0, 114, "-9999"},
        {"[bounceinit]\r\nSaverShow= +10016xyz\r\nSpeed=  7 \r\n", IDM_SUN, 101, 114, "7"},
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
        CHECK(FileHolds(row.bytes), "row %d: Cancel writes nothing", index);
        EndSaverIn();
        ++index;
    }
}

// OK writes the four keys the dialog shows; the speed as typed.
static void TestSetupWrites()
{
    StartSaverIn("ok", "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n");
    INT_PTR result = RunSetup({
        [](HWND dialog) { Click(dialog, IDM_MARS); },
        [](HWND dialog) { Click(dialog, 106); },  // Sun under Pattern 1
        [](HWND dialog) { Click(dialog, 112); },  // Jupiter under Pattern 2
        [](HWND dialog) { Type(dialog, IDC_SAVER_SPEED, "1234567"); },
        RecordSetup,
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    CHECK_EQ(result, IDOK, "OK ends the dialog with 1");
    CHECK(std::strcmp(seenSpeed, "12345") == 0, "the speed box takes five characters: \"%s\"", seenSpeed);
    CHECK_EQ(seenShow, IDM_MARS, "a click moves the show's mark");
    CHECK_EQ(seenOthers, 0, "one radio in each column");
    CHECK(FileHolds("[bounceinit]\r\nTimeInterval=5\r\nSpeed=12345\r\nBowlNo_1=10016\r\nBowlNo_2=10012\r\nSound=\r\n"
                    "SaverShow=10013\r\n"),
          "OK writes the speed, the pictures and the show");
    EndSaverIn();

    // Without a file, OK makes one with exactly what the dialog shows.
    StartSaverIn("okfresh", nullptr);
    result = RunSetup({[](HWND dialog) { Click(dialog, IDOK); }});
    CHECK_EQ(result, IDOK, "OK on a fresh folder");
    CHECK(FileHolds("[bounceinit]\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSaverShow=10017\r\n"),
          "OK writes the built-in values it showed");
    EndSaverIn();

    // A picture code outside the columns is kept unless a radio of its column is clicked.
    StartSaverIn("okodd", "[bounceinit]\r\nSpeed=-20\r\nBowlNo_1=5\r\nBowlNo_2=10000\r\nSaverShow=abc\r\n");
    result = RunSetup({
        [](HWND dialog) { Click(dialog, 117); },
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    CHECK_EQ(result, IDOK, "OK with odd values");
    CHECK(FileHolds("[bounceinit]\r\nSpeed=-20\r\nBowlNo_1=5\r\nBowlNo_2=10017\r\nSaverShow=10017\r\n"),
          "OK keeps an odd code and writes the clicked one");
    EndSaverIn();

    // Escape and the close box are Cancel.
    const char* stored = "[bounceinit]\r\nSpeed=30\r\nSaverShow=10012\r\n";
    StartSaverIn("escape", stored);
    result = RunSetup({
        [](HWND dialog) { Click(dialog, IDM_SUN); },
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

int main()
{
    instanceHandle = GetModuleHandleA(nullptr);
    TestSetupOpens();
    TestSetupWrites();
    TestReadOnlyWrites();
    return CheckSummary();
}
