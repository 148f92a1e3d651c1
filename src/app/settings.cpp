#include "settings.h"

#include "globals.h"
#include "numbers.h"
#include "paths.h"

static const char SECTION[] = "bounceinit";

static bool IsLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

DWORD ReadSetting(const char* key, char* buffer, DWORD size)
{
    buffer[0] = '\0';
    if (settingsPath[0] == '\0')
        return 0;
    return GetPrivateProfileStringA(SECTION, key, "", buffer, size, settingsPath);
}

void WriteSetting(const char* key, const char* text)
{
    if (settingsPath[0] != '\0')
        WritePrivateProfileStringA(SECTION, key, text, settingsPath);
}

void WriteSettingNumber(const char* key, int32_t value)
{
    FormatSettingNumber(value, valueBuffer);
    WriteSetting(key, valueBuffer);
}

void ProgramDirectory(char* directory)
{
    // Ask with a large buffer so that a path too long for the program's own
    // buffers is recognised instead of silently cut to another directory.
    static char modulePath[32768];
    DWORD length = GetModuleFileNameA(instanceHandle, modulePath, sizeof modulePath);
    if (length == 0 || length >= sizeof modulePath) {
        directory[0] = '\0';
        return;
    }
    ProgramDirectoryFromModulePath(modulePath, directory, IsLeadByte);
}

// Reads one number; a missing or empty key gets its built-in value written.
static void LoadNumber(const char* key, int32_t* value, int32_t builtIn)
{
    if (ReadSetting(key, valueBuffer, sizeof valueBuffer) != 0)
        *value = ParseSettingNumber(valueBuffer);
    else
        WriteSettingNumber(key, builtIn);
}

void LoadSettings(const char* directory)
{
    JoinPath(directory, "Hoplette.ini", settingsPath);

    int32_t minutes = waitLimit / TICKS_PER_MINUTE;
    if (ReadSetting("TimeInterval", valueBuffer, sizeof valueBuffer) != 0)
        waitLimit = WaitLimitFromMinutes(ParseSettingNumber(valueBuffer));
    else
        WriteSettingNumber("TimeInterval", minutes);
    LoadNumber("Speed", &Speed, Speed);
    LoadNumber("BowlNo_1", &BowlNo_1, BowlNo_1);
    LoadNumber("BowlNo_2", &BowlNo_2, BowlNo_2);

    if (ReadSetting("Sound", valueBuffer, sizeof valueBuffer) == 0)
        WriteSetting("Sound", "");
    JoinPath(directory, valueBuffer, soundPath);
}
