// Where the park window goes when the desktop changes under it: a new
// resolution, a monitor plugged in or out, a new scale.
#pragma once
#include <cstdint>

#include "fullscreenrules.h"

// Sizes at 96 DPI: the window, and how far above the screen's bottom edge
// its top stands.
constexpr int32_t PARK_WIDTH = 96;
constexpr int32_t PARK_HEIGHT = 78;
constexpr int32_t PARK_BOTTOM_GAP = 80;

// The top of a park window at its corner, the bottom-left one of a primary
// screen screenHeight pixels high, at dpi.
int32_t ParkCornerTop(int32_t screenHeight, int32_t dpi);

// What the park window's rule looks at: the primary monitor's size and the
// box round all monitors. Any difference is a change of the desktop.
struct DesktopLayout {
    int32_t width, height;
    ScreenBox all;
};
bool SameDesktop(const DesktopLayout& one, const DesktopLayout& other);

// The park window's top-left once the desktop has changed, from its
// rectangle (its restored one when minimized). At its corner of the layout
// before (left 0, top oldCornerTop) it goes to the new corner; put elsewhere
// by the user it stays while any of the monitors holds a part of it; on none
// it comes back to the new corner, on the primary monitor.
struct ParkPlace {
    int32_t left, top;
};
ParkPlace ParkAfterDesktopChange(ScreenBox park, int32_t oldCornerTop, int32_t newCornerTop,
                                 const ScreenBox* monitors, int32_t monitorCount);

// The park window's rectangle at a new scale: Windows' suggested one, but a
// park window at its corner (oldCornerTop) keeps to the corner
// (newCornerTop) at the suggested size instead of growing down off the screen.
ScreenBox ParkAfterScaleChange(ScreenBox park, int32_t oldCornerTop, int32_t newCornerTop, ScreenBox suggested);
