// The display's scale as Windows tells it, and Windows' own DLLs, whose
// newer calls the program looks up at run time.
#pragma once
#include <windows.h>

#include <cstdint>

// One of Windows' own DLLs, from the system folder only: never a DLL of that
// name that lies beside the program. Null where it is missing.
HMODULE LoadSystemLibrary(const char* fileName);

// A call of a DLL, null where the DLL or the call is missing: GetProcAddress's
// result as void (*)(), which GCC lets any call type take.
typedef void (*AnyCall)();
AnyCall LookUpCall(HMODULE module, const char* name);

// Asks Windows to stretch nothing of the process's: per-monitor aware (v2)
// where Windows 10 has it, per-monitor aware on Windows 8.1, system aware on
// Vista and 7. Earlier Windows stretch nothing, and tell their one scale
// ("large fonts") through the screen's device context. Called first thing.
void BecomeDpiAware();

// The system's pixels per inch, from the screen's device context: the
// primary monitor's, and the only one before Windows 8.1.
int32_t SystemDpi();

// A monitor's pixels per inch: its own where Windows 8.1 and later tell it,
// the system's elsewhere.
int32_t MonitorDpi(HMONITOR monitor);

// The primary monitor's, where the program's show runs.
int32_t PrimaryMonitorDpi();
