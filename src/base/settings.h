// The settings file: section "bounceinit" of Hoplette.ini beside the program.
#pragma once
#include <windows.h>

#include <cstdint>

// Values and keys are ANSI text (code page 932) everywhere in the program;
// the wide profile calls get them converted.

// Whether a byte starts a two-byte character of the ANSI code page: what the
// path and value rules are told, to cut text only between whole characters.
bool IsLeadByte(unsigned char byte);

// Reads a key of the settings section into buffer, whole characters only; the
// count of bytes read, 0 for a missing or empty key or when there is no
// usable settings path.
DWORD ReadSetting(const char* key, char* buffer, DWORD size);

// Writes a key (text of fewer than PATH_SIZE bytes); a failed write is not
// reported. Nothing is written while settingsReadOnly is 1 (Hoplette.scr).
void WriteSetting(const char* key, const char* text);

// Writes a number as decimal text.
void WriteSettingNumber(const char* key, int32_t value);

// Start-up: the two paths in the program directory (the wide one when it is
// not empty, otherwise the ANSI one), the four numbers and the sound, writing
// the built-in value of every key that is missing or empty; and
// ShowOverFullScreen and ShowMonitors, which it never writes.
void LoadSettings(const WCHAR* wideDirectory, const char* ansiDirectory);
