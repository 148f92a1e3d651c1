#include "desktoprules.h"

#include <cstdint>

#include "../base/scale.h"

int32_t ParkCornerTop(int32_t screenHeight, int32_t dpi)
{
    return screenHeight - ScaledLength(PARK_BOTTOM_GAP, dpi);
}

static bool SameBox(const ScreenBox& one, const ScreenBox& other)
{
    return one.left == other.left && one.top == other.top && one.right == other.right && one.bottom == other.bottom;
}

bool SameDesktop(const DesktopLayout& one, const DesktopLayout& other)
{
    return one.width == other.width && one.height == other.height && SameBox(one.all, other.all);
}

static bool AtCorner(const ScreenBox& park, int32_t cornerTop)
{
    return park.left == 0 && park.top == cornerTop;
}

// As MonitorFromRect with MONITOR_DEFAULTTONULL: any overlap counts.
static bool OnAMonitor(const ScreenBox& park, const ScreenBox* monitors, int32_t monitorCount)
{
    for (int32_t i = 0; i < monitorCount; ++i) {
        const ScreenBox& monitor = monitors[i];
        if (park.left < monitor.right && monitor.left < park.right && park.top < monitor.bottom
            && monitor.top < park.bottom)
            return true;
    }
    return false;
}

ParkPlace ParkAfterDesktopChange(ScreenBox park, int32_t oldCornerTop, int32_t newCornerTop,
                                 const ScreenBox* monitors, int32_t monitorCount)
{
    if (!AtCorner(park, oldCornerTop) && OnAMonitor(park, monitors, monitorCount))
        return ParkPlace{park.left, park.top};
    return ParkPlace{0, newCornerTop};
}

ScreenBox ParkAfterScaleChange(ScreenBox park, int32_t oldCornerTop, int32_t newCornerTop, ScreenBox suggested)
{
    if (!AtCorner(park, oldCornerTop))
        return suggested;
    int32_t width = suggested.right - suggested.left, height = suggested.bottom - suggested.top;
    return ScreenBox{0, newCornerTop, width, newCornerTop + height};
}
