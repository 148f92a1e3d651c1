// Building the paths of the settings file and the sound file.
#pragma once

#include <cstddef>

// Size of every path buffer of the program (at most 255 characters), in bytes
// for ANSI text and in UTF-16 units for wide text.
constexpr int PATH_SIZE = 256;

// A directory text of this many characters or more is marked with "?" so that
// no file can be found in it.
constexpr int LONGEST_USABLE_DIRECTORY = 249;

// One UTF-16 unit of a wide path: wchar_t where it is one (Windows), char16_t
// in the native build of the tests.
#ifdef _WIN32
typedef wchar_t WideUnit;
#else
typedef char16_t WideUnit;
#endif
static_assert(sizeof(WideUnit) == 2, "wide paths are UTF-16");

// Tells whether a byte starts a double-byte character of the ANSI code page
// (code page 932: 0x81..0x9F and 0xE0..0xFC, whose second byte may be 0x5C).
typedef bool (*LeadByteTest)(unsigned char byte);

// Fills directory (PATH_SIZE units) with the directory of modulePath, with its
// trailing backslash or colon; position 0 is never taken as a separator, and a
// byte inside a double-byte character never is one. A path without a
// separator is kept whole. A directory of 250 characters or more gets a "?"
// appended; one that does not fit the buffer at all leaves it empty.
void ProgramDirectoryFromModulePath(const char* modulePath, char* directory, LeadByteTest isLeadByte);

// The same for a wide path, counted in UTF-16 units: the unit in which Windows
// limits a path and the wide buffers hold it. A path of code page 932 takes
// no more units than bytes, so every path that fits as ANSI text fits here.
void ProgramDirectoryFromModulePath(const WideUnit* modulePath, WideUnit* directory);

// path = directory followed by name, when it fits PATH_SIZE; otherwise path is
// left empty, which names no file, and false is returned.
bool JoinPath(const char* directory, const char* name, char* path);
bool JoinPath(const WideUnit* directory, const WideUnit* name, WideUnit* path);

// The length of the longest start of text that has at most limit bytes and
// ends between two characters, never inside a double-byte one nor after a
// lead byte that ends the text.
size_t WholeCharactersLength(const char* text, size_t limit, LeadByteTest isLeadByte);

// Windows glue (programdirectory.cpp): the directory of the program's own
// file, with its trailing separator (both buffers PATH_SIZE long). Where
// Windows has the wide file calls it goes to wideDirectory, so that a folder
// named in any language is found; on Windows 98/ME, whose wide calls fail, to
// ansiDirectory. The other one, or both when the directory does not fit a
// path buffer, is left empty.
void ProgramDirectory(WideUnit* wideDirectory, char* ansiDirectory);
