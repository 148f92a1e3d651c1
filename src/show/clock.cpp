// The clock that paces the show and the preview.
#include "show.h"

#include <mmsystem.h>

// Where Windows has no performance counter, timeGetTime's milliseconds serve.
static bool clockUsesCounter;
static DWORD lastMilliseconds;
static int64_t millisecondsSoFar;

int64_t StartClock()
{
    LARGE_INTEGER frequency;
    clockUsesCounter = QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0;
    lastMilliseconds = timeGetTime();
    return clockUsesCounter ? frequency.QuadPart : 1000;
}

ClockReadCall testClock;

int64_t ClockNow()
{
    if (testClock != nullptr)
        return testClock();
    if (clockUsesCounter) {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        return counter.QuadPart;
    }
    // timeGetTime wraps after 49.7 days; the difference of two readings does not.
    DWORD now = timeGetTime();
    millisecondsSoFar += static_cast<DWORD>(now - lastMilliseconds);
    lastMilliseconds = now;
    return millisecondsSoFar;
}
