// The settings file: section "bounceinit" of Hoplette.ini beside the program.
#pragma once
#include <windows.h>

#include <cstdint>

// Reads a key of the settings section into buffer; the count of characters
// read, 0 for a missing or empty key or when there is no usable settings path.
DWORD ReadSetting(const char* key, char* buffer, DWORD size);

// Writes a key; a failed write is not reported.
void WriteSetting(const char* key, const char* text);

// Writes a number as decimal text.
void WriteSettingNumber(const char* key, int32_t value);

// The directory of the program's own file, with its trailing separator; empty
// when it does not fit a path buffer.
void ProgramDirectory(char* directory);

// Start-up: the two paths in the program directory, the four numbers and the
// sound, writing the built-in value of every key that is missing or empty.
void LoadSettings(const char* directory);
