// Finding the program's own folder, where its settings file and sound live.
#include <windows.h>

#include "globals.h"
#include "paths.h"
#include "settings.h"

void ProgramDirectory(WCHAR* wideDirectory, char* ansiDirectory)
{
    // Ask with a large buffer so that a path too long for the program's own
    // buffers is recognised instead of silently cut to another directory.
    constexpr DWORD LONGEST_MODULE_PATH = 32768;
    static WCHAR wideModulePath[LONGEST_MODULE_PATH];
    static char modulePath[LONGEST_MODULE_PATH];
    wideDirectory[0] = 0;
    ansiDirectory[0] = '\0';
    DWORD length = GetModuleFileNameW(instanceHandle, wideModulePath, LONGEST_MODULE_PATH);
    if (length != 0) {
        if (length < LONGEST_MODULE_PATH)
            ProgramDirectoryFromModulePath(wideModulePath, wideDirectory);
        return;
    }
    // Windows 98/ME: the wide call is a stub that fails, with an error code
    // its documentation does not promise. The ANSI path, scanned a character
    // at a time.
    length = GetModuleFileNameA(instanceHandle, modulePath, LONGEST_MODULE_PATH);
    if (length != 0 && length < LONGEST_MODULE_PATH)
        ProgramDirectoryFromModulePath(modulePath, ansiDirectory, IsLeadByte);
}
