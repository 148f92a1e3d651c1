// Counts of the process's GDI and USER objects, for leak checks. Wine's
// GetGuiResources is a stub (ERROR_CALL_NOT_IMPLEMENTED); there the counts are
// taken another way.
#pragma once
#include <windows.h>

inline DWORD CountGdiObjects()
{
    SetLastError(0);
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return count;
    // Wine finds an object by the low word of its handle alone, so asking
    // every index for its type counts the live objects.
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    return count;
}

static BOOL CALLBACK CountOneWindow(HWND, LPARAM counter)
{
    ++*reinterpret_cast<DWORD*>(counter);
    return TRUE;
}

// USER objects that a leak here could leave: the thread's top-level windows.
inline DWORD CountUserObjects()
{
    SetLastError(0);
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return count;
    EnumThreadWindows(GetCurrentThreadId(), CountOneWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}
