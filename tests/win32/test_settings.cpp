// Start-up's reading of the settings file, on real files: exact bytes in,
// values and exact bytes out. Every case uses a fresh folder, since Wine
// caches a profile file for a while after it changes. The folders are named
// in ASCII, Japanese (with characters whose second byte in code page 932 is a
// backslash), Korean and with an emoji, which code page 932 cannot write.
#include "check.h"

#include <mmsystem.h>

#include "base/globals.h"
#include "base/settings.h"
#include "imports.h"
#include "show/sound.h"

#include <cstring>
#include <string>

static int caseNumber;

// Folder names: the wide ones go the way of Windows NT and later, the ANSI
// ones the way of Windows 98/ME (code page 932 text).
static const wchar_t* const WIDE_NAMES[] = {L"ascii", L"\u30BD\u8868\u80FD\u5341\u4E88", L"\uD55C\uAE00\uD3F4\uB354",
                                            L"\U0001FA90"};
static const char* const ANSI_NAMES[] = {"ascii", "\x83\x5C\x95\x5C"};
// Whether code page 932 can write the folder of each kind, wide kinds first.
static const bool ANSI_WRITES[] = {true, true, false, false, true, true};
constexpr int WIDE_KINDS = sizeof WIDE_NAMES / sizeof WIDE_NAMES[0];
constexpr int KINDS = WIDE_KINDS + sizeof ANSI_NAMES / sizeof ANSI_NAMES[0];

// A program folder of one of the kinds above: its wide text, or for the
// ANSI kinds its code page 932 text, with the trailing backslash.
struct Folder {
    bool wide;
    std::wstring wideText;
    std::string ansiText;
};

static std::wstring Widen(const std::string& text)
{
    wchar_t wide[1024];
    int units = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 1024);
    return units > 0 ? wide : L"";
}

static std::string Utf8(const std::wstring& text)
{
    char bytes[2048];
    int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return length > 0 ? bytes : "";
}

static std::string Ansi(const std::wstring& text)
{
    char bytes[2048];
    int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return length > 0 ? bytes : "";
}

// A fresh folder of the given kind in the temporary folder. Wine reuses
// process ids, so a folder left by an earlier run may carry the same name:
// the next number is taken then.
static Folder NewFolder(int kind)
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    char ansiBase[MAX_PATH];
    GetTempPathA(sizeof ansiBase, ansiBase);
    Folder folder;
    folder.wide = kind < WIDE_KINDS;
    do {
        ++caseNumber;
        if (folder.wide) {
            folder.wideText = std::wstring(base) + L"hoplette-settings-" + std::to_wstring(GetCurrentProcessId()) + L"-"
                              + std::to_wstring(caseNumber) + L"-" + WIDE_NAMES[kind] + L"\\";
        } else {
            folder.ansiText = std::string(ansiBase) + "hoplette-settings-" + std::to_string(GetCurrentProcessId()) + "-"
                              + std::to_string(caseNumber) + "-" + ANSI_NAMES[kind - WIDE_KINDS] + "\\";
            folder.wideText = Widen(folder.ansiText);
        }
    } while (!CreateDirectoryW(folder.wideText.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    return folder;
}

static void LoadSettingsFrom(const Folder& folder)
{
    LoadSettings(folder.wide ? folder.wideText.c_str() : L"", folder.wide ? "" : folder.ansiText.c_str());
}

// The settings path in use, as wide text; and that the other form is empty.
static std::wstring SettingsPathInUse(const Folder& folder)
{
    bool otherEmpty = folder.wide ? settingsPath[0] == '\0' : settingsPathWide[0] == 0;
    if (!otherEmpty)
        return L"(both forms set)";
    return folder.wide ? std::wstring(settingsPathWide) : Widen(settingsPath);
}

static std::wstring SoundPathInUse(const Folder& folder)
{
    bool otherEmpty = folder.wide ? soundPath[0] == '\0' : soundPathWide[0] == 0;
    if (!otherEmpty)
        return L"(both forms set)";
    return folder.wide ? std::wstring(soundPathWide) : Widen(soundPath);
}

static void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
}

static std::string FileText(const std::wstring& path)
{
    static char text[4096];
    text[0] = '\0';
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    text[read] = '\0';
    CloseHandle(file);
    return text;
}

static void ResetValues()
{
    waitLimit = 1200;
    Speed = 60;
    BowlNo_1 = 10011;
    BowlNo_2 = 10014;
    showOverFullScreen = 7; // each start must set it
    showMonitors = 7;
    settingsPath[0] = soundPath[0] = '\0';
    settingsPathWide[0] = soundPathWide[0] = 0;
}

static void TestValues()
{
    const std::string longDigits(300, '7');
    const std::string junk = "\x01\x02\xff\xfe=\x80\x81";
    const std::string STANDARD = "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n";
    struct {
        std::string file;
        int32_t waitLimit, speed, bowl1, bowl2;
        std::string after; // the file afterwards; empty means unchanged
        int32_t showOver = 0;
        int32_t monitors = 0;
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
        // ShowOverFullScreen is read as a number, and 1 alone keeps the old rule; it is never written.
        {STANDARD + "ShowOverFullScreen=1\r\n", 1200, 60, 10011, 10014, "", 1},
        {STANDARD + "ShowOverFullScreen=  +1 minute\r\n", 1200, 60, 10011, 10014, "", 1},
        {STANDARD + "ShowOverFullScreen=0\r\n", 1200, 60, 10011, 10014, "", 0},
        {STANDARD + "ShowOverFullScreen=2\r\n", 1200, 60, 10011, 10014, "", 0},
        {STANDARD + "ShowOverFullScreen=yes\r\n", 1200, 60, 10011, 10014, "", 0},
        {STANDARD + "ShowOverFullScreen=4294967297\r\n", 1200, 60, 10011, 10014, "", 0},
        {STANDARD + "ShowOverFullScreen=\r\n", 1200, 60, 10011, 10014, "", 0},
        // ShowMonitors: 1 and 2 are held as they are, anything else is 0; never written here.
        {STANDARD + "ShowMonitors=1\r\n", 1200, 60, 10011, 10014, "", 0, 1},
        {STANDARD + "ShowMonitors=2\r\n", 1200, 60, 10011, 10014, "", 0, 2},
        {STANDARD + "ShowMonitors= +2 monitors\r\n", 1200, 60, 10011, 10014, "", 0, 2},
        {STANDARD + "ShowMonitors=0\r\n", 1200, 60, 10011, 10014, "", 0, 0},
        {STANDARD + "ShowMonitors=3\r\n", 1200, 60, 10011, 10014, "", 0, 0},
        {STANDARD + "ShowMonitors=-1\r\n", 1200, 60, 10011, 10014, "", 0, 0},
        {STANDARD + "ShowMonitors=4294967298\r\n", 1200, 60, 10011, 10014, "", 0, 0},
        {STANDARD + "ShowMonitors=all\r\n", 1200, 60, 10011, 10014, "", 0, 0},
        {STANDARD + "ShowMonitors=\r\n", 1200, 60, 10011, 10014, "", 0, 0},
    };
    for (int kind = 0; kind < KINDS; ++kind) {
        for (int row = 0; row < (int)(sizeof rows / sizeof rows[0]); ++row) {
            ResetValues();
            Folder folder = NewFolder(kind);
            std::wstring path = folder.wideText + L"Hoplette.ini";
            if (!rows[row].file.empty())
                WriteBytes(path, rows[row].file);
            LoadSettingsFrom(folder);
            CHECK(path == SettingsPathInUse(folder), "kind %d row %d: settings path '%s'", kind, row,
                  Utf8(SettingsPathInUse(folder)).c_str());
            CHECK_EQ(waitLimit, rows[row].waitLimit, "kind %d row %d: wait limit", kind, row);
            CHECK_EQ(Speed, rows[row].speed, "kind %d row %d: Speed", kind, row);
            CHECK_EQ(BowlNo_1, rows[row].bowl1, "kind %d row %d: BowlNo_1", kind, row);
            CHECK_EQ(BowlNo_2, rows[row].bowl2, "kind %d row %d: BowlNo_2", kind, row);
            CHECK_EQ(showOverFullScreen, rows[row].showOver, "kind %d row %d: ShowOverFullScreen", kind, row);
            CHECK_EQ(showMonitors, rows[row].monitors, "kind %d row %d: ShowMonitors", kind, row);
            std::string expected = rows[row].after.empty() ? rows[row].file : rows[row].after;
            if (row == 7) // "Speed" without "=" is no value: the built-in one is added
                CHECK(FileText(path).find("Speed=60\r\n") != std::string::npos, "kind %d row %d: Speed written back", kind,
                      row);
            else
                CHECK(FileText(path) == expected, "kind %d row %d: file afterwards:\n%s", kind, row, FileText(path).c_str());
        }
    }
}

// A whole RIFF WAVE image of the given size at least: 8-bit mono PCM.
static std::string WaveBytes(size_t size)
{
    size_t samples = size < 44 ? 0 : size - 44;
    auto le32 = [](size_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    return "RIFF" + le32(36 + samples) + "WAVEfmt " + le32(16) + std::string("\x01\x00\x01\x00", 4) + le32(8000)
           + le32(8000) + std::string("\x01\x00\x08\x00", 4) + "data" + le32(samples) + std::string(samples, '\x80');
}

// What the program last asked the player to play, in place of the player.
static std::string playedName;
static const void* playedImage;
static int plays;
static BOOL WINAPI RecordPlay(LPCSTR sound, UINT flags)
{
    ++plays;
    playedImage = (flags & SND_MEMORY) != 0 ? sound : nullptr;
    playedName = sound != nullptr && (flags & SND_MEMORY) == 0 ? sound : "";
    return TRUE;
}

// Windows 10's "Beta: Use Unicode UTF-8" code page, in place of code page 932:
// CP_ACP converts as UTF-8, and takes neither flags nor a used-default flag.
typedef int(WINAPI* ToMultiByteCall)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL);
typedef int(WINAPI* ToWideCall)(UINT, DWORD, LPCCH, int, LPWSTR, int);
static ToMultiByteCall realToMultiByte;
static ToWideCall realToWide;
static UINT WINAPI Utf8CodePage() { return CP_UTF8; }
static int WINAPI Utf8ToMultiByte(UINT page, DWORD flags, LPCWCH wide, int units, LPSTR bytes, int size, LPCCH fill,
                                  LPBOOL usedFill)
{
    if (page == CP_ACP && (flags != 0 || fill != nullptr || usedFill != nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return realToMultiByte(page == CP_ACP ? CP_UTF8 : page, flags, wide, units, bytes, size, fill, usedFill);
}
static int WINAPI Utf8ToWide(UINT page, DWORD flags, LPCCH bytes, int size, LPWSTR wide, int units)
{
    return realToWide(page == CP_ACP ? CP_UTF8 : page, flags, bytes, size, wide, units);
}

// The sound plays by name where the ANSI code page can write its path in at
// most 127 bytes, as the player always took it: any size, and a cut file too.
// The Korean and emoji folders (in code page 932) and a path of about 200
// bytes need the copy in memory, with its checks; Windows 98/ME's ANSI paths
// go by name whatever their length. In the UTF-8 code page every folder
// plays by name. An empty Sound is no sound.
static void TestSound(bool utf8)
{
    void* player = ReplaceImport("winmm.dll", "sndPlaySoundA", reinterpret_cast<void*>(RecordPlay));
    CHECK(player != nullptr, "the player's call is replaced");
    void *codePage = nullptr, *toWide = nullptr;
    if (utf8) {
        codePage = ReplaceImport("kernel32.dll", "GetACP", reinterpret_cast<void*>(Utf8CodePage));
        realToMultiByte = reinterpret_cast<ToMultiByteCall>(
            ReplaceImport("kernel32.dll", "WideCharToMultiByte", reinterpret_cast<void*>(Utf8ToMultiByte)));
        realToWide = reinterpret_cast<ToWideCall>(toWide = ReplaceImport(
                                                      "kernel32.dll", "MultiByteToWideChar", reinterpret_cast<void*>(Utf8ToWide)));
        CHECK(codePage != nullptr && realToMultiByte != nullptr && toWide != nullptr, "the code page's calls are replaced");
    }
    const std::string tooLong(300, 's'), wave = WaveBytes(2000), deep(130, 'd');
    struct {
        std::string value, bytes; // the file Sound names, written beside the program unless bytes is empty
        bool underFolder;         // sound path = folder + value; otherwise no sound path
        bool loads;               // the sound is read into memory for a show
    } rows[] = {{"boing.wav", wave, true, true}, {"sounds\\boing.wav", wave, true, true},
                {"C:\\boing.wav", "", true, false}, {"", "", false, false}, {tooLong, "", false, false},
                {"junk.wav", "not a sound at all", true, false}, {"cut.wav", wave.substr(0, 1500), true, false},
                {"limit.wav", WaveBytes(LARGEST_SOUND_FILE), true, true},
                {"big.wav", WaveBytes(LARGEST_SOUND_FILE + 1), true, false}, {deep + "\\boing.wav", wave, true, true}};
    for (int kind = 0; kind < (utf8 ? WIDE_KINDS : KINDS); ++kind) {
        for (int row = 0; row < (int)(sizeof rows / sizeof rows[0]); ++row) {
            ResetValues();
            Folder folder = NewFolder(kind);
            std::wstring path = folder.wideText + L"Hoplette.ini";
            std::string file = "[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound="
                               + rows[row].value + "\r\n";
            WriteBytes(path, file);
            std::wstring sound = folder.wideText + Widen(rows[row].value);
            size_t slash = rows[row].value.rfind('\\');
            if (slash != std::string::npos && slash > 2)
                CreateDirectoryW((folder.wideText + Widen(rows[row].value.substr(0, slash))).c_str(), nullptr);
            if (!rows[row].bytes.empty())
                WriteBytes(sound, rows[row].bytes);
            std::memset(soundPath, 'x', sizeof soundPath);
            std::memset(soundPathWide, 'x', sizeof soundPathWide);
            LoadSettingsFrom(folder);
            std::wstring expected = rows[row].underFolder ? sound : L"";
            CHECK(expected == SoundPathInUse(folder), "kind %d row %d: sound path '%s'", kind, row,
                  Utf8(SoundPathInUse(folder)).c_str());
            CHECK(FileText(path) == file, "kind %d row %d: the file is unchanged", kind, row);

            LoadEdgeSound();
            std::string ansiSound = utf8 ? Utf8(sound) : folder.wide ? Ansi(sound) : folder.ansiText + rows[row].value;
            bool named = rows[row].underFolder
                         && (!folder.wide || ((utf8 || ANSI_WRITES[kind]) && ansiSound.size() <= 127));
            std::string name = named ? ansiSound : "";
            CHECK(edgeSoundName == name, "kind %d row %d: played by the name '%s'", kind, row, edgeSoundName);
            bool loads = folder.wide && !named && rows[row].loads;
            CHECK((edgeSoundImage != nullptr) == loads, "kind %d row %d: sound loaded: %d", kind, row,
                  edgeSoundImage != nullptr);
            if (edgeSoundImage != nullptr && loads)
                CHECK(std::memcmp(edgeSoundImage, rows[row].bytes.data(), rows[row].bytes.size()) == 0,
                      "kind %d row %d: the file's bytes", kind, row);
            plays = 0;
            playedName.clear();
            playedImage = nullptr;
            PlayEdgeSound();
            CHECK_EQ(plays, named || loads ? 1 : 0, "kind %d row %d: sounds played", kind, row);
            CHECK(playedName == name && playedImage == (loads ? edgeSoundImage : nullptr),
                  "kind %d row %d: played '%s' / %p", kind, row, playedName.c_str(), playedImage);
            if (rows[row].bytes.size() > 100000)
                DeleteFileW(sound.c_str());
        }
    }
    // A show without a sound path releases the last one.
    ResetValues();
    LoadEdgeSound();
    CHECK(edgeSoundImage == nullptr && edgeSoundName[0] == '\0', "no sound without a sound path");
    if (utf8) {
        ReplaceImport("kernel32.dll", "GetACP", codePage);
        ReplaceImport("kernel32.dll", "WideCharToMultiByte", reinterpret_cast<void*>(realToMultiByte));
        ReplaceImport("kernel32.dll", "MultiByteToWideChar", toWide);
    }
    ReplaceImport("winmm.dll", "sndPlaySoundA", player);
}

// Values come back as ANSI text, cut to whole characters of the caller's buffer.
static void TestValueText()
{
    for (int kind = 0; kind < KINDS; ++kind) {
        ResetValues();
        Folder folder = NewFolder(kind);
        std::wstring path = folder.wideText + L"Hoplette.ini";
        // 表 is 95 5C; ｱ (B1) is one byte.
        const std::string hyo = "\x95\x5C";
        std::string longValue(150, '\xB1');
        for (int i = 0; i < 100; ++i)
            longValue += hyo;
        WriteBytes(path, "[bounceinit]\r\nSpeed=" + hyo + hyo + hyo + "\r\nSound=" + longValue + "\r\n");
        LoadSettingsFrom(folder);
        char text[6];
        std::memset(text, 'x', sizeof text);
        DWORD count = ReadSetting("Speed", text, sizeof text);
        CHECK(count == 4 && std::string(text) == hyo + hyo, "kind %d: three 表 in six bytes: %lu '%s'", kind, count, text);
        count = ReadSetting("Sound", valueBuffer, sizeof valueBuffer);
        CHECK(count == 254 && std::string(valueBuffer) == longValue.substr(0, 254), "kind %d: a long value: %lu", kind,
              count);
        char untouched = 'q';
        CHECK(ReadSetting("Speed", &untouched, 0) == 0 && untouched == 'q', "kind %d: a buffer of no bytes", kind);
        WriteSetting("BowlNo_1", (hyo + "\x83\x5C").c_str());
        ReadSetting("BowlNo_1", valueBuffer, sizeof valueBuffer);
        CHECK(std::string(valueBuffer) == hyo + "\x83\x5C", "kind %d: 表ソ written and read back", kind);
    }
}

static void TestReadOnlyFile()
{
    for (int kind = 0; kind < KINDS; ++kind) {
        ResetValues();
        Folder folder = NewFolder(kind);
        std::wstring path = folder.wideText + L"Hoplette.ini";
        const char* file = "[bounceinit]\r\nTimeInterval=3\r\n";
        WriteBytes(path, file);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        LoadSettingsFrom(folder);
        CHECK_EQ(waitLimit, 720, "kind %d: the stored wait is read from a read-only file", kind);
        CHECK_EQ(Speed, 60, "kind %d: built-in Speed in force", kind);
        CHECK_EQ(BowlNo_2, 10014, "kind %d: built-in BowlNo_2 in force", kind);
        // Root can write a file Windows calls read-only, so what is asserted is
        // that nothing stored is lost: the file either stayed or only gained keys.
        std::string after = FileText(path);
        CHECK(after.compare(0, std::strlen(file), file) == 0, "kind %d: the stored value survives:\n%s", kind,
              after.c_str());
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

static void TestUnusablePaths()
{
    // A folder too long for the buffers: no settings file is read or written anywhere.
    ResetValues();
    LoadSettings(L"", "");
    CHECK(settingsPath[0] == '\0' && soundPath[0] == '\0' && settingsPathWide[0] == 0 && soundPathWide[0] == 0,
          "no paths from an empty program directory");
    CHECK_EQ(waitLimit, 1200, "built-in wait limit");

    char marked[PATH_SIZE];
    std::string longFolder = "C:\\" + std::string(246, 'e') + "\\";
    lstrcpyA(marked, (longFolder + "?").c_str());
    LoadSettings(L"", marked);
    CHECK(settingsPath[0] == '\0', "no settings path in a marked folder: '%s'", settingsPath);

    // 246 Korean syllables: 250 units, marked, whatever their bytes.
    WCHAR wideMarked[PATH_SIZE];
    std::wstring longWide = L"C:\\" + std::wstring(246, L'\uD55C') + L"\\?";
    lstrcpyW(wideMarked, longWide.c_str());
    LoadSettings(wideMarked, "");
    CHECK(settingsPathWide[0] == 0 && settingsPath[0] == '\0', "no settings path in a marked wide folder");
}

// Windows 95/98/ME's wide stub: it fails, with whatever error code.
static DWORD WINAPI WideStub(HMODULE, LPWSTR, DWORD)
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
}

// The test program's own folder, found the wide way; where the wide call
// fails, whatever its error, the ANSI way.
static void TestProgramDirectory()
{
    WCHAR wideDirectory[PATH_SIZE], module[MAX_PATH];
    char ansiDirectory[PATH_SIZE];
    ProgramDirectory(wideDirectory, ansiDirectory);
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring expected = module;
    expected.erase(expected.rfind(L'\\') + 1);
    CHECK(expected == wideDirectory && ansiDirectory[0] == '\0', "program directory '%s'", Utf8(wideDirectory).c_str());

    void* wide = ReplaceImport("kernel32.dll", "GetModuleFileNameW", reinterpret_cast<void*>(WideStub));
    CHECK(wide != nullptr, "the wide call is replaced");
    ProgramDirectory(wideDirectory, ansiDirectory);
    ReplaceImport("kernel32.dll", "GetModuleFileNameW", wide);
    CHECK(wideDirectory[0] == 0 && Ansi(expected) == ansiDirectory, "program directory without the wide call '%s'",
          ansiDirectory);
}

int main()
{
    instanceHandle = GetModuleHandleA(nullptr);
    TestValues();
    TestSound(false);
    TestSound(true);
    TestValueText();
    TestReadOnlyFile();
    TestUnusablePaths();
    TestProgramDirectory();
    return CheckSummary();
}
