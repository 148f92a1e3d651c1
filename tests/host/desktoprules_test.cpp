// Where the park window goes when the desktop changes. A new scale is
// checked through the window itself, by test_scale.
#include "app/desktoprules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Box = ScreenBox;

// Park windows are 96 x 78 at 96 DPI, 192 x 156 at 192; the corner's top is
// the primary screen's height less 80 scaled.
TEST(Desktop, TheParkWindowStaysWithinReach)
{
    const Box primary768 = {0, 0, 1024, 768}, primary600 = {0, 0, 800, 600};
    const struct { Box park; int32_t oldH, newH, dpi; std::vector<Box> monitors; int32_t left, top; } rows[] = {
        {{0, 688, 96, 766}, 768, 600, 96, {primary600}, 0, 520},                    // at its corner: shrunk
        {{0, 608, 192, 764}, 768, 600, 192, {primary600}, 0, 440},                  // at 200%
        {{300, 200, 396, 278}, 768, 600, 96, {primary600}, 300, 200},               // moved, still on it
        {{750, 550, 846, 628}, 768, 600, 96, {primary600}, 750, 550},               // a corner of it is
        {{900, 700, 996, 778}, 768, 600, 96, {primary600}, 0, 520},                 // shrunk under it
        {{800, 100, 896, 178}, 768, 600, 96, {primary600}, 0, 520},                 // touching is not on
        {{1100, 100, 1196, 178}, 768, 768, 96, {primary768, {1024, 0, 1824, 600}}, 1100, 100},  // right
        {{1100, 100, 1196, 178}, 768, 768, 96, {primary768}, 0, 688},              // ... unplugged
        {{-500, 300, -404, 378}, 768, 768, 96, {primary768, {-800, 0, 0, 600}}, -500, 300},   // left
        {{100, -300, 196, -222}, 768, 768, 96, {primary768, {0, -600, 800, 0}}, 100, -300},   // above
        {{10, 900, 106, 978}, 768, 768, 96, {primary768, {0, 768, 1024, 1536}}, 10, 900},     // below
        {{1100, 650, 1196, 728}, 768, 768, 96, {primary768, {1024, 0, 1624, 800}}, 1100, 650}, // portrait
        {{1100, 650, 1196, 728}, 768, 768, 96, {primary768, {1024, 0, 1824, 600}}, 0, 688},   // landscape now
        // The right-hand monitor made primary: the old one is now to its left.
        {{0, 688, 96, 766}, 768, 600, 96, {primary600, {-1024, 0, 0, 768}}, 0, 520},
        {{-900, 100, -804, 178}, 768, 600, 96, {primary600, {-1024, 0, 0, 768}}, -900, 100},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& r = rows[i];
        ParkPlace got = ParkAfterDesktopChange(r.park, ParkCornerTop(r.oldH, r.dpi), ParkCornerTop(r.newH, r.dpi),
                                               r.monitors.data(), static_cast<int32_t>(r.monitors.size()));
        EXPECT_TRUE(got.left == r.left && got.top == r.top) << "row " << i << ": " << got.left << " " << got.top;
    }
}

}  // namespace
