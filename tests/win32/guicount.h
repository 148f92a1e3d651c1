// Counts of the process's GDI and USER objects, for leak checks.
#pragma once
#include <windows.h>

// GDI objects of this process. GetGuiResources is a stub under Wine (0 and
// ERROR_CALL_NOT_IMPLEMENTED), so the count falls back to probing every GDI handle index, which Wine
// accepts without the handle's upper word.
inline int CountGdiObjects()
{
    SetLastError(0);
    DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return static_cast<int>(reported);
    int count = 0;
    for (unsigned index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(index))) != 0)
            ++count;
    return count;
}

inline BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

inline BOOL CALLBACK CountTopLevelWindow(HWND window, LPARAM count)
{
    CountWindowAndChildren(window, count);
    EnumChildWindows(window, CountWindowAndChildren, count); // every level below
    return TRUE;
}

// USER objects of this process: GetGuiResources, or under Wine (the same stub)
// the windows, hidden ones included, and the menus found by probing every
// USER handle index.
inline int CountUserObjects()
{
    SetLastError(0);
    DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (reported != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return static_cast<int>(reported);
    int count = 0;
    EnumWindows(CountTopLevelWindow, reinterpret_cast<LPARAM>(&count));
    for (unsigned index = 1; index < 0x10000; ++index)
        if (IsMenu(reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(index))))
            ++count;
    return count;
}
