// One field across all monitors: where the ball turns, that it reaches every
// monitor, and that on one monitor it is the show of one monitor.
#include "base/scale.h"
#include "catalogue/catalogue.h"
#include "show/ball.h"
#include "show/field.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>

namespace {

using Layout = std::vector<ScreenBox>;

BallField Field(const Layout& monitors, int16_t mode, int32_t dpi = 96)
{
    return MakeBallField(monitors.data(), static_cast<int32_t>(monitors.size()), dpi, mode);
}

// The worked layouts, primary (1024 x 768) first.
const Layout SIDE_BY_SIDE = {{0, 0, 1024, 768}, {1024, 0, 1824, 600}};
const Layout TO_THE_LEFT = {{0, 0, 1024, 768}, {-800, 0, 0, 600}};
const Layout LOWER = {{0, 0, 1024, 768}, {1024, 168, 1824, 768}};
const Layout STACKED = {{0, 0, 1024, 768}, {0, 768, 1024, 1536}};
const Layout WITH_A_GAP = {{0, 0, 1024, 768}, {1100, 0, 1900, 600}};
const Layout TWINS = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
const Layout AT_150 = {{0, 0, 1536, 1152}, {1536, 0, 2336, 600}};  // units: 1024 x 768 and 533 x 400 beside it

// One step from a place: the steps' signs after it. A 1024 x 768 primary
// gives radius 48 and margin 32 (Double: 32 and 46), so the box reaches 81
// (Double 79) past the centre, and the turn comes where it passes the outline.
TEST(Field, TurnsAtTheOutlineAndCrossesSeams)
{
    const int16_t S = SHOW_EARTH, D = SHOW_DOUBLE;
    const struct { const Layout* layout; int16_t mode; int32_t dpi; std::array<int32_t, 4> from; std::array<int32_t, 2> steps; } rows[] = {
        {&SIDE_BY_SIDE, S, 96, {1024, 300, 1, 1}, {1, 1}},      // across the seam, rows both have
        {&SIDE_BY_SIDE, S, 96, {1742, 300, 1, 1}, {1, 1}},      // box to 1824: still inside
        {&SIDE_BY_SIDE, S, 96, {1743, 300, 1, 1}, {-1, 1}},     // the right edge
        {&SIDE_BY_SIDE, S, 96, {1400, 518, 1, 1}, {1, 1}},
        {&SIDE_BY_SIDE, S, 96, {1400, 519, 1, 1}, {1, -1}},     // the shorter monitor's bottom
        {&SIDE_BY_SIDE, S, 96, {942, 684, 1, -1}, {1, -1}},     // below the shorter monitor: up to column 1024
        {&SIDE_BY_SIDE, S, 96, {943, 684, 1, -1}, {-1, -1}},    // the taller one's edge beside nothing
        {&SIDE_BY_SIDE, S, 96, {943, 560, 1, 1}, {-1, -1}},     // the corner below the shorter one
        {&SIDE_BY_SIDE, S, 96, {942, 686, 1, 1}, {1, 1}},       // the primary's bottom: 687 + 81 = 768
        {&SIDE_BY_SIDE, S, 96, {942, 687, 1, 1}, {1, -1}},
        {&TO_THE_LEFT, S, 96, {-718, 300, -1, 1}, {-1, 1}},     // negative coordinates
        {&TO_THE_LEFT, S, 96, {-719, 300, -1, 1}, {1, 1}},
        {&TO_THE_LEFT, S, 96, {0, 519, -1, 1}, {1, -1}},        // the corner below the left one: both turn
        {&LOWER, S, 96, {1400, 250, 1, -1}, {1, -1}},           // box from 168
        {&LOWER, S, 96, {1400, 249, 1, -1}, {1, 1}},            // the lower one's top beside the taller
        {&LOWER, S, 96, {1024, 400, 1, 1}, {1, 1}},
        {&STACKED, S, 96, {500, 768, 1, 1}, {1, 1}},            // across the seam between rows
        {&STACKED, S, 96, {500, 1454, 1, 1}, {1, 1}},
        {&STACKED, S, 96, {500, 1455, 1, 1}, {1, -1}},          // the lower one's bottom
        {&STACKED, S, 96, {942, 1200, 1, 1}, {1, 1}},
        {&STACKED, S, 96, {943, 1200, 1, 1}, {-1, 1}},
        {&WITH_A_GAP, S, 96, {942, 300, 1, 1}, {1, 1}},
        {&WITH_A_GAP, S, 96, {943, 300, 1, 1}, {-1, 1}},        // never into the gap
        {&WITH_A_GAP, S, 96, {1182, 300, -1, 1}, {-1, 1}},
        {&WITH_A_GAP, S, 96, {1181, 300, -1, 1}, {1, 1}},       // nor out of the other side
        {&TWINS, D, 96, {944, 300, 1, 1}, {1, 1}},              // Double: the left monitor, mirrored on the right
        {&TWINS, D, 96, {945, 300, 1, 1}, {-1, 1}},
        {&AT_150, S, 144, {1475, 200, 1, 1}, {1, 1}},           // in the primary's units: the other is 533 x 400
        {&AT_150, S, 144, {1476, 200, 1, 1}, {-1, 1}},
        {&AT_150, S, 144, {1300, 318, 1, 1}, {1, 1}},
        {&AT_150, S, 144, {1300, 319, 1, 1}, {1, -1}},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& r = rows[i];
        BallField field = Field(*r.layout, r.mode, r.dpi);
        BallMotion ball = PrepareFieldBall(&field, 36, 36);
        ball.ballX = r.from[0], ball.ballY = r.from[1], ball.stepX = r.from[2], ball.stepY = r.from[3];
        StepFieldBall(&ball, &field);
        EXPECT_EQ((std::array<int32_t, 2>{ball.stepX, ball.stepY}), r.steps) << "row " << i;
    }
}

// A monitor that duplicates or lies inside another counts once, as mirroring
// drivers report them; one that only overlaps another counts.
TEST(Field, DuplicatesAndMonitorsInsideAnotherCountOnce)
{
    const struct { Layout layout; int32_t count; ScreenBox bounds; } rows[] = {
        {{{0, 0, 1024, 768}, {0, 0, 1024, 768}}, 1, {0, 0, 1024, 768}},
        {{{0, 0, 800, 600}, {0, 0, 1024, 768}, {100, 100, 300, 300}}, 1, {0, 0, 1024, 768}},
        {{{0, 0, 1024, 768}, {512, 0, 1536, 768}}, 2, {0, 0, 1536, 768}},
        {{{0, 0, 1024, 768}, {-800, -600, 0, 0}}, 2, {-800, -600, 1024, 768}},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        BallField field = Field(rows[i].layout, SHOW_EARTH);
        EXPECT_EQ(field.monitorCount, rows[i].count) << "row " << i;
        const ScreenBox& b = field.bounds;
        EXPECT_EQ((std::array<int32_t, 4>{b.left, b.top, b.right, b.bottom}),
                  (std::array<int32_t, 4>{rows[i].bounds.left, rows[i].bounds.top, rows[i].bounds.right,
                                          rows[i].bounds.bottom}))
            << "row " << i;
    }
}

// A field of one monitor moves, turns, draws and sounds exactly as the show
// on that monitor, step for step, at every scale and in Double mode; a
// changed monitor refits it as it refits that show.
TEST(Field, OneMonitorStepsAsTheShowOfOneMonitor)
{
    const struct { int32_t w, h, dpi; int16_t mode; int32_t toW, toH; } rows[] = {
        {1024, 768, 96, SHOW_EARTH, 0, 0},   {800, 600, 96, SHOW_MARS, 0, 0},    {640, 480, 96, SHOW_SUN, 0, 0},
        {1024, 768, 96, SHOW_DOUBLE, 0, 0},  {799, 600, 96, SHOW_DOUBLE, 0, 0},  {1920, 1080, 96, SHOW_DOUBLE, 0, 0},
        {1536, 1152, 144, SHOW_EARTH, 0, 0}, {2048, 1536, 192, SHOW_DOUBLE, 0, 0}, {1366, 768, 120, SHOW_SPHERE, 0, 0},
        {1024, 768, 96, SHOW_EARTH, 800, 600}, {1024, 768, 96, SHOW_DOUBLE, 640, 480},
        {640, 480, 96, SHOW_EARTH, 1920, 1080},
    };
    const int STEPS = 6000;
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& r = rows[i];
        BallPlace place = MonitorPlace(r.w, r.h, r.dpi, true);
        Layout one = {{0, 0, r.w, r.h}};
        BallField field = Field(one, r.mode, r.dpi);
        BallMotion shown = PrepareBallAt(place, r.mode, 36, 36), fielded = PrepareFieldBall(&field, 36, 36);
        EXPECT_EQ(FieldPictureSize(&field), PictureWidth(place)) << "row " << i;
        for (int n = 0; n < STEPS; ++n) {
            if (r.toW != 0 && n == STEPS / 2) {
                place = MonitorPlace(r.toW, r.toH, r.dpi, true);
                one = {{0, 0, r.toW, r.toH}};
                field = Field(one, r.mode, r.dpi);
                FitBallAt(&shown, place, r.mode);
                FitFieldBall(&fielded, &field);
            }
            BallStep a = StepBallAt(&shown, place, r.mode);
            BallStep b = StepFieldBall(&fielded, &field);
            int32_t x, y;
            FieldPicturePlace(&field, b, &x, &y);
            // The show draws the second picture in the right window, from the middle on; where
            // its offsets suit the width it lands within 3 px of the mirror image of the ball
            // one step on, the field at the exact mirror of the frame's first picture.
            int32_t windowLeft = a.secondPicture ? place.width >> 1 : 0;
            bool offsets = a.secondPicture && place.pixelsAcross == place.unitsAcross && OffsetFormulaMirrors(place.width);
            std::array<int32_t, 6> want{shown.ballX, shown.ballY, shown.stepX, shown.stepY, a.secondPicture, a.playSound};
            std::array<int32_t, 6> got{fielded.ballX, fielded.ballY, fielded.stepX, fielded.stepY, b.secondPicture,
                                       b.playSound};
            ASSERT_EQ(got, want) << "row " << i << " step " << n;
            int32_t gapX = x - (windowLeft + a.drawX), gapY = y - a.drawY;
            int32_t nearX = 3 + std::abs(shown.stepX), nearY = std::abs(shown.stepY);
            ASSERT_TRUE(offsets ? std::abs(gapX) <= nearX && std::abs(gapY) <= nearY : gapX == 0 && gapY == 0)
                << "row " << i << " step " << n << " gap " << gapX << ", " << gapY;
        }
    }
}

// The ball travels to every monitor of each layout, and in Double mode the
// mirror image too, within a bounded number of steps.
TEST(Field, TheBallReachesEveryMonitor)
{
    const Layout THREE = {{0, 0, 1920, 1080}, {-1024, 200, 0, 968}, {1920, -300, 2688, 724}};  // a portrait one
    const struct { const Layout* layout; int16_t mode; int32_t dpi; int32_t within; } rows[] = {
        {&SIDE_BY_SIDE, SHOW_EARTH, 96, 20000}, {&TO_THE_LEFT, SHOW_EARTH, 96, 20000},
        {&LOWER, SHOW_EARTH, 96, 20000},        {&STACKED, SHOW_EARTH, 96, 20000},
        {&AT_150, SHOW_EARTH, 144, 20000},      {&THREE, SHOW_SUN, 96, 60000},
        {&TWINS, SHOW_DOUBLE, 96, 20000},       {&SIDE_BY_SIDE, SHOW_DOUBLE, 96, 20000},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& r = rows[i];
        BallField field = Field(*r.layout, r.mode, r.dpi);
        BallMotion ball = PrepareFieldBall(&field, 36, 36);
        std::vector<bool> reached(r.layout->size());
        size_t count = 0;
        int n = 0;
        for (; n < r.within && count < reached.size(); ++n) {
            BallStep step = StepFieldBall(&ball, &field);
            int32_t x, y, size = FieldPictureSize(&field);
            FieldPicturePlace(&field, step, &x, &y);
            // Where the picture's middle is, in pixels.
            x += size / 2, y += size / 2;
            for (size_t m = 0; m < reached.size(); ++m) {
                const ScreenBox& box = (*r.layout)[m];
                if (!reached[m] && x >= box.left && x < box.right && y >= box.top && y < box.bottom)
                    reached[m] = true, ++count;
            }
        }
        EXPECT_EQ(count, reached.size()) << "row " << i << " after " << n << " steps";
    }
}

// A changed desktop refits the running ball: where it still fits it stays,
// elsewhere it goes to the nearest place inside the new field; its steps
// keep their signs, at the new primary's size.
TEST(Field, AChangedDesktopKeepsTheBallInside)
{
    const Layout ALONE = {{0, 0, 1024, 768}};
    const Layout SMALLER = {{0, 0, 800, 600}, {800, 0, 1824, 768}};
    const struct { const Layout* from; const Layout* to; std::array<int32_t, 4> ball; std::array<int32_t, 4> fitted; } rows[] = {
        {&SIDE_BY_SIDE, &ALONE, {500, 300, 1, -1}, {500, 300, 1, -1}},      // still fits
        {&SIDE_BY_SIDE, &ALONE, {1400, 300, 1, -1}, {943, 300, 1, -1}},     // its monitor gone
        {&TO_THE_LEFT, &LOWER, {-400, 300, -1, 1}, {81, 300, -1, 1}},       // the nearest monitor
        {&LOWER, &SIDE_BY_SIDE, {1400, 700, 1, 1}, {1400, 519, 1, 1}},       // the other monitor moved up: 519 + 81 = 600
        {&SIDE_BY_SIDE, &SMALLER, {900, 700, -1, 1}, {900, 688, -2, 2}},    // a smaller primary: radius 75, margin 4, step 2
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& r = rows[i];
        BallField from = Field(*r.from, SHOW_EARTH), to = Field(*r.to, SHOW_EARTH);
        BallMotion ball = PrepareFieldBall(&from, 36, 36);
        ball.ballX = r.ball[0], ball.ballY = r.ball[1], ball.stepX = r.ball[2], ball.stepY = r.ball[3];
        FitFieldBall(&ball, &to);
        EXPECT_EQ((std::array<int32_t, 4>{ball.ballX, ball.ballY, ball.stepX, ball.stepY}), r.fitted) << "row " << i;
        EXPECT_TRUE(FieldBoxFits(&to, ball.ballX, ball.ballY, ball.radiusX, ball.radiusY)) << "row " << i;
    }
}

} // namespace
