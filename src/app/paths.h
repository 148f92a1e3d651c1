// Building the paths of the settings file and the sound file.
#pragma once

// Size of every path buffer of the program (at most 255 characters).
constexpr int PATH_SIZE = 256;

// A directory text of this many characters or more is marked with "?" so that
// no file can be found in it.
constexpr int LONGEST_USABLE_DIRECTORY = 249;

// Fills directory (PATH_SIZE bytes) with the directory of modulePath, with its
// trailing backslash or colon; position 0 is never taken as a separator. A path
// without a separator is kept whole. A directory of 250 characters or more gets
// a "?" appended; one that does not fit the buffer at all leaves it empty.
void ProgramDirectoryFromModulePath(const char* modulePath, char* directory);

// path = directory followed by name, when it fits PATH_SIZE; otherwise path is
// left empty, which names no file, and false is returned.
bool JoinPath(const char* directory, const char* name, char* path);
