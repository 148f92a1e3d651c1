#include "frame.h"

#include <cmath>
#include <cstdint>

bool MessageEndsShow(uint32_t message)
{
    return message == 0x201 /* WM_LBUTTONDOWN */ || message == 0x204 /* WM_RBUTTONDOWN */
        || message == 0x100 /* WM_KEYDOWN */;
}

void BusyDelay(int32_t speed)
{
    // volatile keeps the compiler from folding cosh or dropping the unused results.
    volatile double argument = 1.23;
    volatile double result;
    int32_t rounds = speed < SLOWEST_SPEED ? speed : SLOWEST_SPEED;
    for (int32_t outer = 0; outer < rounds; ++outer) {
        for (int32_t inner = 0; inner < 30; ++inner)
            result = std::cosh(argument);
    }
    (void)result;
}

int64_t FramePeriodTicks(int32_t refreshRate, int64_t ticksPerSecond)
{
    if (refreshRate <= 1)
        refreshRate = 60;
    return ticksPerSecond / refreshRate;
}

uint32_t MillisecondsUntil(int64_t now, int64_t deadline, int64_t ticksPerSecond)
{
    if (deadline <= now || ticksPerSecond <= 0)
        return 0;
    // Unsigned: the gap between any two 64-bit counts fits, where the signed one may not.
    uint64_t gap = uint64_t(deadline) - uint64_t(now);
    uint64_t second = uint64_t(ticksPerSecond);
    if (gap >= second)
        return 1000;
    uint64_t ms = gap <= UINT64_MAX / 1000 ? (gap * 1000 + second - 1) / second : 1000;
    return ms > 1000 ? 1000u : static_cast<uint32_t>(ms);
}
