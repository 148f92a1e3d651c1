// A rectangle in screen pixels as Windows gives one (a window's, a
// monitor's): right and bottom lie just outside it.
#pragma once
#include <cstdint>

struct ScreenBox {
    int32_t left, top, right, bottom;
};
