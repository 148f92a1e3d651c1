#include "settings.h"

#include "globals.h"
#include "numbers.h"
#include "paths.h"

static const char SECTION[] = "bounceinit";
static const WCHAR WIDE_SECTION[] = L"bounceinit";

// Room for a key's name as wide text.
constexpr int KEY_SIZE = 32;

bool IsLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

// Room for a value as ANSI text: each of a wide value's units takes at most two bytes.
constexpr int VALUE_TEXT_SIZE = 2 * PATH_SIZE;

// Reads a value whole into text (VALUE_TEXT_SIZE bytes) as ANSI text.
static void ReadValueText(const char* key, char* text)
{
    text[0] = '\0';
    if (settingsPathWide[0] == 0) {
        if (settingsPath[0] != '\0')
            GetPrivateProfileStringA(SECTION, key, "", text, VALUE_TEXT_SIZE, settingsPath);
        return;
    }
    WCHAR wideKey[KEY_SIZE], wideValue[PATH_SIZE];
    if (MultiByteToWideChar(CP_ACP, 0, key, -1, wideKey, KEY_SIZE) == 0)
        return;
    DWORD units = GetPrivateProfileStringW(WIDE_SECTION, wideKey, L"", wideValue, PATH_SIZE, settingsPathWide);
    int bytes = units == 0 ? 0
                           : WideCharToMultiByte(CP_ACP, 0, wideValue, static_cast<int>(units), text,
                                                 VALUE_TEXT_SIZE - 1, nullptr, nullptr);
    text[bytes] = '\0';
}

DWORD ReadSetting(const char* key, char* buffer, DWORD size)
{
    if (size == 0)
        return 0;
    buffer[0] = '\0';
    char text[VALUE_TEXT_SIZE];
    ReadValueText(key, text);
    // The whole characters that fit the caller's buffer.
    size_t length = WholeCharactersLength(text, size - 1, IsLeadByte);
    CopyMemory(buffer, text, length);
    buffer[length] = '\0';
    return static_cast<DWORD>(length);
}

void WriteSetting(const char* key, const char* text)
{
    if (settingsReadOnly != 0)
        return;
    if (settingsPathWide[0] != 0) {
        WCHAR wideKey[KEY_SIZE], wideText[PATH_SIZE];
        if (MultiByteToWideChar(CP_ACP, 0, key, -1, wideKey, KEY_SIZE) != 0
            && MultiByteToWideChar(CP_ACP, 0, text, -1, wideText, PATH_SIZE) != 0)
            WritePrivateProfileStringW(WIDE_SECTION, wideKey, wideText, settingsPathWide);
        return;
    }
    if (settingsPath[0] != '\0')
        WritePrivateProfileStringA(SECTION, key, text, settingsPath);
}

void WriteSettingNumber(const char* key, int32_t value)
{
    FormatSettingNumber(value, valueBuffer);
    WriteSetting(key, valueBuffer);
}

// Reads one number; a missing or empty key gets its built-in value written.
static void LoadNumber(const char* key, int32_t* value, int32_t builtIn)
{
    if (ReadSetting(key, valueBuffer, sizeof valueBuffer) != 0)
        *value = ParseSettingNumber(valueBuffer);
    else
        WriteSettingNumber(key, builtIn);
}

void LoadSettings(const WCHAR* wideDirectory, const char* ansiDirectory)
{
    // Only one form of each path is ever in use; the other stays empty.
    settingsPathWide[0] = soundPathWide[0] = 0;
    settingsPath[0] = soundPath[0] = '\0';
    const bool wide = wideDirectory[0] != 0;
    if (wide)
        JoinPath(wideDirectory, L"Hoplette.ini", settingsPathWide);
    else
        JoinPath(ansiDirectory, "Hoplette.ini", settingsPath);

    int32_t minutes = waitLimit / TICKS_PER_MINUTE;
    if (ReadSetting("TimeInterval", valueBuffer, sizeof valueBuffer) != 0)
        waitLimit = WaitLimitFromMinutes(ParseSettingNumber(valueBuffer));
    else
        WriteSettingNumber("TimeInterval", minutes);
    LoadNumber("Speed", &Speed, Speed);
    LoadNumber("BowlNo_1", &BowlNo_1, BowlNo_1);
    LoadNumber("BowlNo_2", &BowlNo_2, BowlNo_2);
    // Read only, never written: the file the program writes stays as it was.
    showOverFullScreen = ReadSetting("ShowOverFullScreen", valueBuffer, sizeof valueBuffer) != 0
                         && ParseSettingNumber(valueBuffer) == 1;
    // Written by the menu alone; anything but 1 or 2 is the primary monitor.
    showMonitors = 0;
    if (ReadSetting(SHOW_MONITORS_KEY, valueBuffer, sizeof valueBuffer) != 0)
        showMonitors = MonitorsChoice(ParseSettingNumber(valueBuffer));

    // An empty Sound is no sound: the folder alone names no file to play.
    if (ReadSetting("Sound", valueBuffer, sizeof valueBuffer) == 0) {
        WriteSetting("Sound", "");
        return;
    }
    WCHAR wideName[PATH_SIZE];
    if (!wide)
        JoinPath(ansiDirectory, valueBuffer, soundPath);
    else if (MultiByteToWideChar(CP_ACP, 0, valueBuffer, -1, wideName, PATH_SIZE) != 0)
        JoinPath(wideDirectory, wideName, soundPathWide);
}
