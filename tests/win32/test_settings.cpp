// Start-up's reading of the settings file, on real files: exact bytes in,
// values and exact bytes out. Every case uses a fresh folder, since Wine
// caches a profile file for a while after it changes.
#include "check.h"

#include "app/globals.h"
#include "app/settings.h"

#include <cstring>
#include <string>

static int caseNumber;

// A fresh folder in the temporary folder, with its trailing backslash.
static std::string NewFolder()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    std::string folder = std::string(base) + "hoplette-settings-" + std::to_string(GetCurrentProcessId()) + "-"
                         + std::to_string(++caseNumber) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

static void ResetValues()
{
    waitLimit = 1200;
    Speed = 60;
    BowlNo_1 = 10011;
    BowlNo_2 = 10014;
    settingsPath[0] = soundPath[0] = '\0';
}

static std::string FileText(const std::string& path)
{
    static char text[4096];
    ReadFileBytes(path.c_str(), text, sizeof text);
    return text;
}

static void TestValues()
{
    const std::string longDigits(300, '7');
    const std::string junk = "\x01\x02\xff\xfe=\x80\x81";
    struct {
        std::string file;
        int32_t waitLimit, speed, bowl1, bowl2;
        std::string after; // the file afterwards; empty means unchanged
    } rows[] = {
        {"", 1200, 60, 10011, 10014,
         "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n"},
        {"[bounceinit]\r\nTimeInterval=2\r\nSpeed=  -12abc\r\nBowlNo_1=abc\r\nBowlNo_2=+10016\r\nSound=\r\n", 480, -12, 0,
         10016, ""},
        {"[bounceinit]\r\nTimeInterval=0\r\nSpeed=0\r\nBowlNo_1=10010\r\nBowlNo_2=10010\r\nSound=\r\n", 0, 0, 10010, 10010, ""},
        {"[bounceinit]\r\nTimeInterval=-3\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n", -720, 60, 10011,
         10014, ""},
        {"[bounceinit]\r\nTimeInterval=99999999999\r\nSpeed=-99999999999\r\nBowlNo_1=2147483648\r\nBowlNo_2=-2147483649\r\nSound=\r\n",
         INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, ""},
        // A wait whose ticks leave 32 bits is a very long wait, never an immediate show.
        {"[bounceinit]\r\nTimeInterval=8947849\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n", INT32_MAX, 60,
         10011, 10014, ""},
        {"[bounceinit]\r\nTimeInterval=" + longDigits + "\r\nSpeed=" + longDigits + "\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n",
         INT32_MAX, INT32_MAX, 10011, 10014, ""},
        // Junk lines, a line without "=", a key without a value.
        {"garbage\r\n[bounceinit]\r\nno equals sign\r\n" + junk + "\r\nTimeInterval=1\r\nSpeed\r\nBowlNo_1=10012\r\nBowlNo_2=10013\r\nSound=\r\n",
         240, 60, 10012, 10013, ""},
    };
    for (int row = 0; row < (int)(sizeof rows / sizeof rows[0]); ++row) {
        ResetValues();
        std::string folder = NewFolder(), path = folder + "Hoplette.ini";
        if (!rows[row].file.empty())
            WriteFileBytes(path.c_str(), rows[row].file.c_str());
        LoadSettings(folder.c_str());
        CHECK(path == settingsPath, "row %d: settings path '%s'", row, settingsPath);
        CHECK_EQ(waitLimit, rows[row].waitLimit, "row %d: wait limit", row);
        CHECK_EQ(Speed, rows[row].speed, "row %d: Speed", row);
        CHECK_EQ(BowlNo_1, rows[row].bowl1, "row %d: BowlNo_1", row);
        CHECK_EQ(BowlNo_2, rows[row].bowl2, "row %d: BowlNo_2", row);
        std::string expected = rows[row].after.empty() ? rows[row].file : rows[row].after;
        if (row == 7) // "Speed" without "=" is no value: the built-in one is added
            CHECK(FileText(path).find("Speed=60\r\n") != std::string::npos, "row %d: Speed written back", row);
        else
            CHECK(FileText(path) == expected, "row %d: file afterwards:\n%s", row, FileText(path).c_str());
    }
}

static void TestSound()
{
    const std::string tooLong(300, 's');
    struct {
        std::string value;
        bool underFolder; // sound path = folder + value; otherwise no sound path
    } rows[] = {{"boing.wav", true}, {"sounds\\boing.wav", true}, {"C:\\boing.wav", true}, {"", true}, {tooLong, false}};
    for (int row = 0; row < (int)(sizeof rows / sizeof rows[0]); ++row) {
        ResetValues();
        std::string folder = NewFolder(), path = folder + "Hoplette.ini";
        std::string file = "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound="
                           + rows[row].value + "\r\n";
        WriteFileBytes(path.c_str(), file.c_str());
        std::memset(soundPath, 'x', sizeof soundPath);
        LoadSettings(folder.c_str());
        std::string expected = rows[row].underFolder ? folder + rows[row].value : "";
        CHECK(expected == soundPath, "row %d: sound path '%s'", row, soundPath);
        CHECK(FileText(path) == file, "row %d: the file is unchanged", row);
    }
}

static void TestReadOnlyFile()
{
    ResetValues();
    std::string folder = NewFolder(), path = folder + "Hoplette.ini";
    const char* file = "[bounceinit]\r\nTimeInterval=3\r\n";
    WriteFileBytes(path.c_str(), file);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    LoadSettings(folder.c_str());
    CHECK_EQ(waitLimit, 720, "the stored wait is read from a read-only file");
    CHECK_EQ(Speed, 60, "built-in Speed in force");
    CHECK_EQ(BowlNo_2, 10014, "built-in BowlNo_2 in force");
    // Root can write a file Windows calls read-only, so what is asserted is
    // that nothing stored is lost: the file either stayed or only gained keys.
    std::string after = FileText(path);
    CHECK(after.compare(0, std::strlen(file), file) == 0, "the stored value survives:\n%s", after.c_str());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

static void TestUnusablePaths()
{
    // A folder too long for the buffers: no settings file is read or written anywhere.
    ResetValues();
    LoadSettings("");
    CHECK(settingsPath[0] == '\0' && soundPath[0] == '\0', "no paths from an empty program directory");
    CHECK_EQ(waitLimit, 1200, "built-in wait limit");

    char marked[PATH_SIZE];
    std::string longFolder = "C:\\" + std::string(246, 'e') + "\\";
    lstrcpyA(marked, (longFolder + "?").c_str());
    LoadSettings(marked);
    CHECK(settingsPath[0] == '\0', "no settings path in a marked folder: '%s'", settingsPath);
}

int main()
{
    instanceHandle = GetModuleHandleA(nullptr);
    TestValues();
    TestSound();
    TestReadOnlyFile();
    TestUnusablePaths();
    return CheckSummary();
}
