// Ball arithmetic and the frame rules of a show.
#include "base/scale.h"
#include "catalogue/catalogue.h"
#include "show/ball.h"
#include "show/frame.h"
#include "show/monitors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

BallMotion Prepare(int32_t ax, int32_t ay, int32_t w, int32_t h, int16_t mode)
{
    return PrepareBallMotion(w, h, mode, ax, ay);
}

using Motion = std::array<int32_t, 9>;  // area w, h, ball x, y, radius x, y, step x, y, margin

// scale = min(ay*areaH, ax*areaW) >> (width >= 1024 ? 4 : 3) (commented per row); radius =
// scale / aspect (aspect 0: the scale); step = max(radius >> 5, 1). Frame 1 draws at (x-82, y-82);
// in Double mode its second draw, one step on, at ((w+164)>>2) + offset - (x+1-82), y+1-82 where that
// is within 3 px of the ball's mirror image, else at the first draw's exact mirror (w-(w>>1)-164-p, same y).
TEST(Ball, PrepareAndFirstFrame)
{
    const int16_t S = SHOW_EARTH, D = SHOW_DOUBLE;
    const struct { int32_t w, h, ax, ay; int16_t mode; Motion m; std::array<int32_t, 4> draws; } rows[] = {
        {1024, 768, 36, 36, S, {1024, 768, 512, 384, 48, 48, 1, 1, 32}, {430, 302}},  // 27648>>4 = 1728
        {1024, 768, 36, 36, D, {512, 768, 256, 384, 32, 32, 1, 1, 46}, {174, 302, 176, 303}},  // 18432>>4; 351-175
        {800, 600, 36, 36, S, {800, 600, 400, 300, 75, 75, 2, 2, 4}, {318, 218}},  // 21600>>3 = 2700
        {640, 480, 36, 36, S, {640, 480, 320, 240, 60, 60, 1, 1, 18}, {238, 158}},  // 17280>>3 = 2160
        {640, 480, 36, 36, D, {320, 480, 160, 240, 40, 40, 1, 1, 40}, {78, 158, 76, 159}},  // 11520>>3; 155-79
        {1280, 1024, 36, 36, S, {1280, 1024, 640, 512, 64, 64, 2, 2, 32}, {558, 430}},  // 36864>>4 = 2304
        {1280, 1024, 36, 36, D, {640, 1024, 320, 512, 40, 40, 1, 1, 46}, {238, 430, 238, 430}},  // 23040>>4; mirror 640-164-238
        {1920, 1080, 36, 36, S, {1920, 1080, 960, 540, 67, 67, 2, 2, 32}, {878, 458}},  // 38880>>4 = 2430
        {1920, 1080, 36, 36, D, {960, 1080, 480, 540, 60, 60, 1, 1, 46}, {398, 458, 398, 458}},  // 34560>>4; mirror 960-164-398
        {640, 350, 38, 48, S, {640, 350, 320, 175, 55, 43, 1, 1, 18}, {238, 93}},  // 16800>>3 = 2100
        {640, 350, 48, 38, S, {640, 350, 320, 175, 34, 43, 1, 1, 18}, {238, 93}},  // 13300>>3 = 1662
        {1023, 768, 1, 1, D, {511, 768, 255, 384, 63, 63, 1, 1, 30}, {173, 302}},  // area 511; 511>>3
        {1024, 768, 0, 36, S, {1024, 768, 512, 384, 0, 0, 1, 1, 32}, {430, 302}},  // scale 0 is the radius
        {1024, 768, 0, -36, S, {1024, 768, 512, 384, -1728, 48, 1, 1, 32}, {430, 302}},  // -27648>>4 -> radius x
    };
    EXPECT_EQ(BALL_SIZE, 164);
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& r = rows[i];
        BallMotion b = Prepare(r.ax, r.ay, r.w, r.h, r.mode);
        Motion got{b.areaWidth, b.areaHeight, b.ballX, b.ballY, b.radiusX, b.radiusY, b.stepX, b.stepY, BounceMargin(r.mode, r.w)};
        EXPECT_EQ(got, r.m) << "row " << i;
        BallStep a = StepBall(&b, r.w, r.h, r.mode);
        EXPECT_EQ((std::array<int32_t, 2>{a.drawX, a.drawY}), (std::array<int32_t, 2>{r.draws[0], r.draws[1]}))
            << "row " << i;
        EXPECT_FALSE(a.secondPicture || a.playSound) << "row " << i;
        EXPECT_EQ(b.ballX - r.m[2], r.m[6]) << "row " << i;
        EXPECT_EQ(b.ballY - r.m[3], r.m[7]) << "row " << i;
        if (r.draws[2] != 0) {
            BallStep second = StepBall(&b, r.w, r.h, r.mode);
            EXPECT_TRUE(second.secondPicture) << "row " << i;
            EXPECT_EQ(second.drawX, r.draws[2]) << "row " << i;
            EXPECT_EQ(second.drawY, r.draws[3]) << "row " << i;
        }
    }
}

TEST(Ball, MarginOffsetAndScaleShiftThresholds)
{
    // Radii with aspect 1, height 768: min(768, area width) >> shift, single and Double.
    const struct { int32_t w, single, dbl, offset, singleRadius, doubleRadius; } rows[] = {
        {320, 18, 40, -46, 40, 20}, {799, 18, 40, -46, 96, 49}, {800, 4, 30, -6, 96, 50},
        {1023, 4, 30, -6, 96, 63}, {1024, 32, 46, 54, 48, 32}, {7680, 32, 46, 54, 48, 48}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        for (int16_t mode : {10010, 10011, 10012, 10013, 10014, 10015, 10016, 10018})
            EXPECT_EQ(BounceMargin(mode, rows[i].w), rows[i].single) << "row " << i << " mode " << mode;
        EXPECT_EQ(BounceMargin(SHOW_DOUBLE, rows[i].w), rows[i].dbl) << "row " << i;
        EXPECT_EQ(MirrorOffset(rows[i].w), rows[i].offset) << "row " << i;
        EXPECT_EQ(Prepare(1, 1, rows[i].w, 768, SHOW_SUN).radiusX, rows[i].singleRadius) << "row " << i;
        EXPECT_EQ(Prepare(1, 1, rows[i].w, 768, SHOW_DOUBLE).radiusX, rows[i].doubleRadius) << "row " << i;
    }
}

TEST(Ball, TurnsAndSoundOnTheWorkedScreens)
{
    using V = std::vector<int>;  // 1-based steps at which the event happened
    const struct { int32_t w, h; int16_t mode; int steps; V turnX, turnY, sound; int32_t endX, endY; } rows[] = {
        // y = 384 + n reaches 688 at n 304: 688+48 >= 736 and 688+80 >= 768 together.
        // x = 512 + n reaches 944 at n 432 (944+48 >= 992), y is back at 688-128.
        {1024, 768, SHOW_VENUS, 432, {432}, {304}, {304}, 944, 560},
        // y = 300 + 2n: 520 enters the zone (n 110), 522 turns (n 111), 520 again is the
        // same visit; 80 enters the top zone (n 332), 78 turns (n 333), 80 is the same visit.
        // x turns at 722 (n 161): 722+75 >= 796.
        {800, 600, SHOW_MARS, 335, {161}, {111, 333}, {110, 332}, 722 - 2 * 174, 82},
        // Double, two steps per frame: two frames leave (260, 388).
        {1024, 768, SHOW_DOUBLE, 4, {}, {}, {}, 260, 388}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        BallMotion b = Prepare(36, 36, rows[i].w, rows[i].h, rows[i].mode);
        V turnX, turnY, sound;
        for (int n = 1; n <= rows[i].steps; ++n) {
            int32_t sx = b.stepX, sy = b.stepY;
            if (StepBall(&b, rows[i].w, rows[i].h, rows[i].mode).playSound)
                sound.push_back(n);
            if (b.stepX != sx)
                turnX.push_back(n);
            if (b.stepY != sy)
                turnY.push_back(n);
        }
        EXPECT_EQ(turnX, rows[i].turnX) << "row " << i;
        EXPECT_EQ(turnY, rows[i].turnY) << "row " << i;
        EXPECT_EQ(sound, rows[i].sound) << "row " << i;
        EXPECT_EQ(b.ballX, rows[i].endX) << "row " << i;
        EXPECT_EQ(b.ballY, rows[i].endY) << "row " << i;
    }
}

TEST(Ball, DoubleModePicturesAreMirrorImages)
{
    // Frame 2 at 1024x768: (176, 304) and (174, 305).
    BallMotion ball = Prepare(36, 36, 1024, 768, SHOW_DOUBLE);
    StepBall(&ball, 1024, 768, SHOW_DOUBLE);
    StepBall(&ball, 1024, 768, SHOW_DOUBLE);
    BallStep a = StepBall(&ball, 1024, 768, SHOW_DOUBLE), b = StepBall(&ball, 1024, 768, SHOW_DOUBLE);
    EXPECT_EQ((std::array<int32_t, 4>{a.drawX, a.drawY, b.drawX, b.drawY}), (std::array<int32_t, 4>{176, 304, 174, 305}));

    // The mirror of left edge p about the screen's centre, in right-window coordinates, is
    // w - (w>>1) - 164 - p. Where the offset formula ((w+164)>>2) + offset - p lands within 3 px
    // of the ball's own mirror it stays (201-46-156, 241-6-236, 297+54-348, 302+54-354); on every
    // other width the second picture is the exact mirror of the frame's first one, at its height.
    const struct { int32_t w, h; bool formula; int32_t error; } rows[] = {
        {640, 480, true, -1}, {800, 600, true, -1}, {1024, 768, true, 3}, {1040, 768, true, -1},
        {1023, 768, false, 0}, {1280, 1024, false, 0}, {1366, 768, false, 0}, {1367, 768, false, 0},
        {1440, 900, false, 0}, {1600, 900, false, 0}, {1680, 1050, false, 0}, {1920, 1080, false, 0},
        {2560, 1440, false, 0}, {3440, 1440, false, 0}, {3840, 2160, false, 0}, {7681, 4320, false, 0}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const int32_t w = rows[i].w, h = rows[i].h, right = w - (w >> 1);
        EXPECT_EQ(OffsetFormulaMirrors(w), rows[i].formula) << "row " << i;
        EXPECT_EQ(RightHalfWidth(w) + (w >> 1), w) << "row " << i;
        ball = Prepare(36, 36, w, h, SHOW_DOUBLE);
        int32_t firstX = 0, firstY = 0;
        for (int n = 0; n < 2 * (w + h) * 2; ++n) {
            int32_t p = ball.ballX - 82;
            BallStep s = StepBall(&ball, w, h, SHOW_DOUBLE);
            ASSERT_EQ(s.secondPicture, n % 2 == 1) << "row " << i << " step " << n;
            if (!s.secondPicture) {
                firstX = s.drawX;
                firstY = s.drawY;
            } else if (rows[i].formula) {
                ASSERT_EQ(s.drawX - (right - 164 - p), rows[i].error) << "row " << i << " step " << n;
            } else {
                ASSERT_EQ(s.drawX, right - 164 - firstX) << "row " << i << " step " << n;
                ASSERT_EQ(s.drawY, firstY) << "row " << i << " step " << n;
            }
        }
    }
}

// Away from 96 DPI the step is made in 96-DPI units and drawn scaled; in
// Double mode the second picture lies at the exact mirror image of the first,
// in pixels, on every width (a portrait and an odd one too).
TEST(Ball, ScaledStepsMirrorExactlyAndKeepThePace)
{
    const struct { int32_t w, h, dpi; int16_t mode; } rows[] = {
        {1536, 1152, 144, SHOW_DOUBLE}, {2048, 1536, 192, SHOW_DOUBLE}, {1280, 960, 120, SHOW_DOUBLE},
        {1792, 1344, 168, SHOW_DOUBLE}, {2560, 1600, 240, SHOW_DOUBLE}, {3072, 2304, 288, SHOW_DOUBLE},
        {1152, 1536, 144, SHOW_DOUBLE}, {3841, 2160, 144, SHOW_DOUBLE}, {1536, 1152, 144, SHOW_MARS},
        {1024, 768, 96, SHOW_DOUBLE}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const int32_t w = rows[i].w, h = rows[i].h, dpi = rows[i].dpi, picture = ScaledLength(164, dpi);
        const int32_t uw = UnscaledLength(w, dpi), uh = UnscaledLength(h, dpi);
        BallMotion b = Prepare(36, 36, uw, uh, rows[i].mode);
        const BallPlace place = MonitorPlace(w, h, dpi, true);
        int32_t firstX = 0, moved = 0, lastX = 0, frames = 0;
        for (int n = 0; n < 2000; ++n) {
            BallStep units = StepBall(&b, uw, uh, rows[i].mode);
            BallStep s = ScaledBallStep(b, units, rows[i].mode, place);
            if (dpi == 96) {
                ASSERT_TRUE(s.drawX == units.drawX && s.drawY == units.drawY) << "row " << i;
            }
            ASSERT_TRUE(s.drawY >= -picture && s.drawY <= h) << "row " << i << " step " << n;
            if (s.secondPicture && dpi != 96) {
                // As far from the right window's right edge as the first from the left window's left edge.
                ASSERT_EQ(RightHalfWidth(w) - (s.drawX + picture), firstX) << "row " << i << " step " << n;
                continue;
            }
            if (s.secondPicture)
                continue;
            if (n > 0)
                moved += s.drawX > lastX ? s.drawX - lastX : lastX - s.drawX;
            firstX = lastX = s.drawX;
            ++frames;
        }
        // A 96-DPI unit step of 1 (2 in Double mode) is dpi / 96 pixels a frame on average.
        double perFrame = double(moved) / (frames - 1);
        double want = (rows[i].mode == SHOW_DOUBLE ? 2.0 : 1.0) * std::abs(b.stepX) * dpi / 96;
        EXPECT_NEAR(perFrame, want, 0.01 * want) << "row " << i;
    }
}

TEST(Ball, SingleModeNeverAlternatesAndALeftoverLatchIsCleared)
{
    BallMotion b = Prepare(36, 36, 1024, 768, SHOW_SPHERE);
    b.soundLatch = 1;  // as a show that ended in the zone leaves it
    b.doubleAlternation = 1;
    BallStep s = StepBall(&b, 1024, 768, SHOW_SPHERE);
    EXPECT_FALSE(s.secondPicture || s.playSound);
    EXPECT_EQ(b.soundLatch, 0);
    EXPECT_EQ(b.doubleAlternation, 1);
}

// A running show's screen changes size: the motion of a show prepared there,
// the ball where it was but strictly inside the new turning lines, the steps'
// signs kept; it then bounces on and never sticks at a line.
TEST(Ball, AChangedScreenRefitsTheRunningBall)
{
    const int16_t S = SHOW_EARTH, D = SHOW_DOUBLE;
    const struct { int32_t w, h; int16_t mode; std::array<int32_t, 4> ball; int32_t toW, toH; Motion m; } rows[] = {
        {1024, 768, S, {900, 700, -1, 1}, 800, 600, {800, 600, 720, 520, 75, 75, -2, 2, 4}},  // lines 79 and 721
        {800, 600, D, {200, 300, 2, -2}, 1024, 768, {512, 768, 200, 300, 32, 32, 1, -1, 46}},
        {1024, 768, D, {60, 700, -1, -1}, 640, 480, {320, 480, 81, 399, 40, 40, -1, -1, 40}},  // lines 80, 240 and 400
        {1024, 768, S, {512, 384, 1, -1}, 40, 40, {40, 40, 20, 20, 5, 5, 1, -1, 18}},          // no room: halfway
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& r = rows[i];
        BallMotion b = Prepare(36, 36, r.w, r.h, r.mode);
        b.ballX = r.ball[0], b.ballY = r.ball[1], b.stepX = r.ball[2], b.stepY = r.ball[3];
        FitBallMotion(&b, r.toW, r.toH, r.mode);
        Motion got{b.areaWidth, b.areaHeight, b.ballX, b.ballY, b.radiusX, b.radiusY, b.stepX, b.stepY, BounceMargin(r.mode, r.toW)};
        EXPECT_EQ(got, r.m) << "row " << i;
        int turns = 0;
        for (int k = 0; k < 2000 && r.toW > 100; ++k) {
            int32_t before = b.stepX;
            StepBall(&b, r.toW, r.toH, r.mode);
            turns += b.stepX != before;
        }
        EXPECT_TRUE(r.toW <= 100 || (turns >= 2 && turns < 200)) << "row " << i << ": " << turns << " turns";
    }
}

// A ball per monitor draws and sounds exactly as a full-screen show on a screen of
// that monitor's size, whatever the others do, through a change of the desktop too.
TEST(Ball, EachMonitorsBallMovesAsOnAScreenOfItsSize)
{
    struct Screen { int32_t w, h; };
    // after: the monitors' sizes from halfway on, the desktop having changed (none: no change).
    const struct { int16_t mode; std::vector<Screen> monitors, after; } rows[] = {
        {SHOW_EARTH, {{1024, 768}, {800, 600}}, {}},
        {SHOW_DOUBLE, {{1024, 768}, {800, 600}}, {}},
        {SHOW_DOUBLE, {{1920, 1080}, {768, 1024}, {1024, 768}}, {}},  // a portrait monitor
        {SHOW_SUN, {{640, 480}, {600, 800}, {3840, 2160}}, {}},
        {SHOW_DOUBLE, {{800, 600}, {800, 600}}, {}},
        // A changed desktop refits every monitor's own ball: the primary's, the others' too.
        {SHOW_EARTH, {{1024, 768}, {800, 600}}, {{800, 600}, {800, 600}}},
        {SHOW_DOUBLE, {{1024, 768}, {800, 600}, {1280, 1024}}, {{1280, 1024}, {640, 480}, {1920, 1080}}},
    };
    const int FRAMES = 1500;  // past several turns and sound zones on each
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& monitors = rows[i].monitors;
        const bool changes = !rows[i].after.empty();
        int steps = rows[i].mode == SHOW_DOUBLE ? 2 : 1;
        auto screen = [&](size_t m, int f) { return changes && f >= FRAMES / 2 ? rows[i].after[m] : monitors[m]; };
        auto record = [&](std::vector<int32_t>* seen, BallMotion* ball, const Screen& m) {
            for (int k = 0; k < steps; ++k) {
                BallStep s = StepBall(ball, m.w, m.h, rows[i].mode);
                seen->insert(seen->end(), {s.drawX, s.drawY, s.secondPicture, s.playSound});
            }
        };
        auto refit = [&](BallMotion* ball, size_t m, int f) {
            if (changes && f == FRAMES / 2)
                FitBallMotion(ball, rows[i].after[m].w, rows[i].after[m].h, rows[i].mode);
        };
        // Each monitor's ball alone.
        std::vector<std::vector<int32_t>> alone(monitors.size()), together(monitors.size());
        for (size_t m = 0; m < monitors.size(); ++m) {
            BallMotion ball = Prepare(36, 36, monitors[m].w, monitors[m].h, rows[i].mode);
            for (int f = 0; f < FRAMES; ++f) {
                refit(&ball, m, f);
                record(&alone[m], &ball, screen(m, f));
            }
        }
        // All of them frame by frame, as a show steps and refits them.
        std::vector<BallMotion> balls;
        for (const Screen& m : monitors)
            balls.push_back(Prepare(36, 36, m.w, m.h, rows[i].mode));
        for (int f = 0; f < FRAMES; ++f) {
            for (size_t m = 0; m < monitors.size(); ++m)
                refit(&balls[m], m, f);
            for (size_t m = 0; m < monitors.size(); ++m)
                record(&together[m], &balls[m], screen(m, f));
        }
        for (size_t m = 0; m < monitors.size(); ++m) {
            EXPECT_TRUE(together[m] == alone[m]) << "row " << i << " monitor " << m;
            EXPECT_TRUE(!changes || balls[m].areaHeight == rows[i].after[m].h) << "row " << i << " monitor " << m;
        }
    }
}

// The primary monitor always takes the first place, wherever Windows lists
// it; with more monitors than places the last one listed before it goes.
TEST(Monitors, ThePrimaryComesFirst)
{
    const struct { int32_t most, before; bool primaryLast; int32_t count, firstLeft, lastLeft; } rows[] = {
        {16, 1, true, 2, 0, 1000},    {16, 15, true, 16, 0, 15000}, {16, 16, true, 16, 0, 15000},
        {16, 20, true, 16, 0, 15000}, {16, 20, false, 16, 0, 15000}, {1, 3, true, 1, 0, 0},
        {1, 3, false, 1, 0, 0},       {0, 3, true, 0, -1, -1}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        ScreenBox list[16];
        int32_t count = 0;
        ScreenBox primary = {0, 0, 1000, 800};
        if (!rows[i].primaryLast)
            AddShowMonitor(list, &count, rows[i].most, primary, true);
        for (int32_t m = 1; m <= rows[i].before; ++m)
            AddShowMonitor(list, &count, rows[i].most, ScreenBox{m * 1000, 0, m * 1000 + 800, 600}, false);
        if (rows[i].primaryLast)
            AddShowMonitor(list, &count, rows[i].most, primary, true);
        EXPECT_EQ(count, rows[i].count) << "row " << i;
        EXPECT_EQ(count > 0 ? list[0].left : -1, rows[i].firstLeft) << "row " << i;
        EXPECT_EQ(count > 0 ? list[count - 1].left : -1, rows[i].lastLeft) << "row " << i;
        EXPECT_EQ(count > 0 ? list[0].right : -1, count > 0 ? 1000 : -1) << "row " << i;
    }
}

TEST(Frame, OnlyButtonPressesKeyDownAndPointerContactEndTheShow)
{
    // The pointer flags in wParam's upper word: 0x2 in range, 0x4 in contact,
    // 0x10 first button (finger, pen tip), 0x20 second (pen barrel), 0x2000 primary.
    const struct { uint32_t message; uint64_t wParam; bool ends; } rows[] = {
        {0x201, 0, true}, {0x204, 0, true}, {0x100, 0, true}, {0x200, 0, false}, {0x202, 0, false},
        {0x203, 0, false}, {0x205, 0, false}, {0x206, 0, false}, {0x207, 0, false}, {0x208, 0, false},
        {0x209, 0, false}, {0x20A, 0, false}, {0x101, 0, false}, {0x102, 0, false}, {0x104, 0, false},
        {0x105, 0, false}, {0x108, 0, false}, {0, 0, false},
        {0x246, 0x20160001, true},  // a finger down
        {0x246, 0x00260007, true},  // a pen's tip down with its barrel button
        {0x246, 0xFFFB0001, false}, // not in contact
        {0x245, 0x00160001, false}, // a finger moving
        {0x245, 0x00020001, false}, // a pen hovering
        {0x247, 0x00020001, false}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(MessageEndsShow(rows[i].message, rows[i].wParam), rows[i].ends) << "row " << i;
}

// A show's paints on a simulated clock of 10 MHz, as the show's loop makes them: each paint
// draws the frames due by its due time, then sleeps the whole milliseconds until the next
// one and wakes `late` ticks after that. Frames and paints due within `seconds`; `crowded` counts
// paints that drew more frames than can fall due in one refresh period.
struct Paced { int64_t frames, paints, mostAtOnce, crowded; };
Paced SimulatePace(int32_t speed, int32_t refreshRate, double seconds, int64_t late = 0)
{
    const int64_t second = 10000000, period = FramePeriodTicks(refreshRate, second);
    FramePace pace = StartFramePace(speed, second, 0);
    const int32_t most = FramesPerPaint(pace, period);
    const int64_t interval = pace.interval > 0 ? pace.interval : 1;
    const int64_t perPeriod = (period + interval - 1) / interval;
    Paced got{0, 0, 0, 0};
    for (int64_t now = 0, due = 0; due < int64_t(seconds * second);) {
        due = PaintDueAt(due, now, period);
        int32_t frames = TakeFramesDue(&pace, due, most);
        got.frames += frames;
        got.paints += 1;
        got.mostAtOnce = std::max<int64_t>(got.mostAtOnce, frames);
        got.crowded += frames > perPeriod ? 1 : 0;
        due = NextPaint(pace, due, period);
        while (now < due)  // a wait is at most a second long
            now += int64_t(MillisecondsUntil(now, due, second)) * second / 1000 + late;
    }
    return got;
}

// One frame every Speed / 3600 s on every refresh rate, painted at most once a refresh;
// 0 and below run as 1, above 99999 as 99999.
TEST(Frame, SpeedSetsThePaceAtEveryRefreshRate)
{
    const struct { int32_t speed; double seconds, framesPerSecond; } rows[] = {
        {30, 10, 120}, {60, 10, 60}, {120, 10, 30}, {600, 10, 6}, {1, 2, 3600}, {0, 2, 3600},
        {-5, 2, 3600}, {INT32_MIN, 2, 3600}, {99999, 1000, 3600.0 / 99999}, {100000, 1000, 3600.0 / 99999},
        {INT32_MAX, 1000, 3600.0 / 99999}, {7, 10, 3600.0 / 7}};
    for (int32_t rate : {60, 75, 120, 144}) {
        for (size_t i = 0; i < std::size(rows); ++i) {
            for (int64_t late : {0, 20000}) {  // paints on time, and each 2 ms late
                Paced got = SimulatePace(rows[i].speed, rate, rows[i].seconds, late);
                double fps = got.frames / rows[i].seconds;
                EXPECT_NEAR(fps, rows[i].framesPerSecond, rows[i].framesPerSecond * 0.005 + 1 / rows[i].seconds)
                    << "row " << i << " at " << rate << " Hz, late " << late;
                EXPECT_LE(got.paints / rows[i].seconds, rate + 1) << "row " << i << " at " << rate << " Hz";
            }
        }
    }
}

// Paints keep their own schedule: however late each wake comes, no paint draws more frames
// than fall due in one refresh period (at Speed 60 on 60 Hz: never two), and the paints
// come at the refresh rate or the frame rate, whichever is lower.
TEST(Frame, LateWakesNeverCrowdAPaint)
{
    for (int32_t rate : {60, 75, 120, 144}) {
        for (int32_t speed : {30, 60, 120}) {
            for (int64_t late : {0, 5000, 10000, 20000}) {
                Paced got = SimulatePace(speed, rate, 20, late);
                EXPECT_EQ(got.crowded, 0) << "Speed " << speed << " at " << rate << " Hz, " << late / 10000.0
                                          << " ms late: " << got.paints << " paints";
                double paintsPerSecond = std::min(double(rate), 3600.0 / speed);
                EXPECT_NEAR(got.paints / 20.0, paintsPerSecond, paintsPerSecond * 0.01)
                    << "Speed " << speed << " at " << rate << " Hz, " << late / 10000.0 << " ms late";
            }
        }
    }
}

// A burst stops for a waiting press or after a refresh period; the compositor paces the paints
// until two of its waits in a row have returned in under a quarter of a refresh period where it
// would have waited half a refresh or more: called in the first half of a refresh reckoned from the
// last return, within a fifth of a second of it, or at the first wait.
TEST(Frame, BurstAndCompositorRules)
{
    const struct { int64_t startedAt, now; bool pressWaiting, goesOn; } bursts[] = {
        {0, 0, false, true}, {0, 166665, false, true}, {0, 166666, false, false}, {0, 10, true, false},
        {-500, 100, false, true}, {1000, 500, false, true}};
    for (size_t i = 0; i < std::size(bursts); ++i)
        EXPECT_EQ(BurstGoesOn(bursts[i].startedAt, bursts[i].now, 166666, bursts[i].pressWaiting), bursts[i].goesOn)
            << "row " << i;
    const int64_t P = 166666, L = 1000000;  // 60 Hz at 10 MHz; the last return
    const struct { bool waited; int32_t quickBefore; int64_t calledAt, waitedFor; int32_t quickAfter; bool keeps; } flushes[] = {
        {false, 0, 0, 0, 1, true}, {false, 0, 0, 41666, 0, true}, {true, 1, L + 100, 0, 2, false},
        {true, 1, L + 125000, 41665, 0, true},  // late in the refresh: the pass rightly came soon
        {true, 1, L + 10 * P + 83333, 41665, 2, false}, {true, 1, L + 10 * P + 83334, 0, 0, true},
        {true, 1, L + 11 * P + 10416, 0, 2, false}, {true, 1, L + 11 * P + 10415, 0, 0, true},  // past a pass?
        {true, 1, L + 12 * P + 10416, 0, 0, true},  // 2010408 ticks: over a fifth of a second
        {true, 1, L + 100, 41666, 0, true}, {true, 0, L + 100, 0, 1, true}, {true, 1, L - 1, 0, 0, true},
        {true, 7, L, -1, 2, false}};
    for (size_t i = 0; i < std::size(flushes); ++i) {
        const auto& r = flushes[i];
        CompositorWaits seen{r.waited, r.quickBefore, L};
        EXPECT_EQ(CompositorKeepsPace(&seen, r.calledAt, r.calledAt + r.waitedFor, P, 10000000), r.keeps) << "row " << i;
        EXPECT_EQ(seen.quickInRow, r.quickAfter) << "row " << i;
        EXPECT_TRUE(seen.waited && seen.lastReturn == r.calledAt + r.waitedFor) << "row " << i;
    }
    // A wake a whole period late is a stall: the paints start again from it.
    EXPECT_EQ(PaintDueAt(1000, 1000 + 166665, 166666), 1000);
    EXPECT_EQ(PaintDueAt(1000, 1000 + 166666, 166666), 1000 + 166666);
}

// The show's loop on a simulated clock of 10 MHz against a display whose compositor passes come at
// phase + k / rate (rate in thousandths of a hertz); the loop is told `told` hertz. Each paint takes
// 0.2 to 1 ms, each wait ends up to 1 ms past the whole milliseconds asked for; the flush returns up
// to 50 us after the next pass, or at once (10 us), or fails. Frames and paints drawn, flushes made,
// and the tick at which the compositor stopped pacing the paints, -1 if it never did.
enum { FLUSH_AT_PASS, FLUSH_AT_ONCE, FLUSH_FAILS };
struct Composited { int64_t frames, paints, flushes, droppedAt; };
Composited SimulateCompositor(int32_t speed, int64_t milliHertz, int32_t told, int64_t phase, int flush, int64_t seconds)
{
    const int64_t second = 10000000, period = FramePeriodTicks(told, second), perPass = 1000 * second;
    auto passFrom = [&](int64_t t) {  // the first pass at or after t
        int64_t k = t > phase ? (t - phase) * milliHertz / perPass : 0;
        while (phase + k * perPass / milliHertz < t)
            ++k;
        return phase + k * perPass / milliHertz;
    };
    uint32_t noise = 12345;
    auto upTo = [&](int64_t most) { noise = noise * 1664525u + 1013904223u; return int64_t(noise >> 8) % (most + 1); };
    FramePace pace = StartFramePace(speed, second, 0);
    const int32_t most = FramesPerPaint(pace, period);
    CompositorWaits seen{};
    bool composited = true;
    Composited got{0, 0, 0, -1};
    for (int64_t now = 0, due = 0; now < seconds * second;) {
        due = PaintDueAt(due, now, period);
        int32_t frames = TakeFramesDue(&pace, due, most);
        got.frames += frames;
        got.paints += frames > 0 ? 1 : 0;
        now += 2000 + upTo(8000);
        if (composited && frames > 0) {
            int64_t calledAt = now;
            ++got.flushes;
            now = flush == FLUSH_AT_PASS ? passFrom(now) + upTo(500) : now + 100;
            composited = flush != FLUSH_FAILS && CompositorKeepsPace(&seen, calledAt, now, period, second);
            got.droppedAt = composited ? -1 : now;
        }
        int64_t wake = PlanNextPaint(pace, &due, period, composited && frames > 0, seen.lastReturn);
        while (now < wake)
            now += int64_t(MillisecondsUntil(now, wake, second)) * (second / 1000) + upTo(10000);
    }
    return got;
}

// Ten minutes of show against displays whose passes drift slowly through the loop's wakes (or stand
// still at 144 Hz), at eight phases each, one of them told a rate rounded up: the compositor paces
// every paint to the end, and the frames keep their pace. A flush that returns at once stops the
// pacing at the second, one that fails at the first.
TEST(Frame, TheCompositorsOwnPhaseNeverStopsItsPacing)
{
    const struct { int64_t milliHertz; int32_t told; } displays[] = {{60020, 60}, {59940, 59}, {144000, 144}, {59940, 60}};
    for (const auto& d : displays) {
        for (int32_t speed : {60, 120, 600, 3000}) {
            for (int64_t eighth = 0; eighth < 8; ++eighth) {
                Composited got = SimulateCompositor(speed, d.milliHertz, d.told, eighth * 1250000000 / d.milliHertz,
                                                    FLUSH_AT_PASS, 600);
                EXPECT_EQ(got.droppedAt, -1) << d.milliHertz << " mHz, Speed " << speed << ", phase " << eighth << "/8";
                EXPECT_NEAR(got.frames, 600 * 3600 / speed, 2) << d.milliHertz << " mHz, Speed " << speed;
                EXPECT_EQ(got.flushes, got.paints) << d.milliHertz << " mHz, Speed " << speed;
            }
        }
        for (int32_t speed : {60, 120, 600}) {
            for (int flush : {FLUSH_AT_ONCE, FLUSH_FAILS}) {
                Composited got = SimulateCompositor(speed, d.milliHertz, d.told, 0, flush, 60);
                EXPECT_EQ(got.flushes, flush == FLUSH_AT_ONCE ? 2 : 1) << d.milliHertz << " mHz, Speed " << speed;
                EXPECT_NEAR(got.frames, 60 * 3600 / speed, 2) << d.milliHertz << " mHz, Speed " << speed;
            }
        }
    }
}

TEST(Frame, AStallResumesThePaceInsteadOfCatchingUp)
{
    const int64_t second = 10000000, period = FramePeriodTicks(60, second);
    FramePace pace = StartFramePace(60, second, 0);
    const int32_t most = FramesPerPaint(pace, period);
    EXPECT_EQ(most, 3);
    EXPECT_EQ(TakeFramesDue(&pace, 0, most), 1);
    // Five seconds without a paint: a few frames, not 300, then one a 60th of a second again.
    EXPECT_EQ(TakeFramesDue(&pace, 5 * second, most), most);
    EXPECT_EQ(TakeFramesDue(&pace, 5 * second + period - 1, most), 0);
    EXPECT_EQ(TakeFramesDue(&pace, 5 * second + period + 1, most), 1);
    // Exactly 3600/7 frames a second is no whole number of ticks: the rest is kept, no drift.
    pace = StartFramePace(7, second, 0);
    int64_t frames = 0;
    for (int64_t now = 0; now <= 7 * second; now += period)
        frames += TakeFramesDue(&pace, now, FramesPerPaint(pace, period));
    frames += TakeFramesDue(&pace, 7 * second, FramesPerPaint(pace, period));
    EXPECT_EQ(frames, 3601);
}

TEST(Frame, FramePeriodAndWaitArithmetic)
{
    const struct { int32_t rate; int64_t perSecond, period; } periods[] = {
        {60, 1000, 16}, {0, 1000, 16}, {1, 1000, 16}, {-5, 1000, 16}, {INT32_MIN, 10000000, 166666},
        {2, 1000, 500}, {75, 3000000, 40000}, {144, 10000000, 69444}, {60, 10000000, 166666}};
    for (size_t i = 0; i < std::size(periods); ++i)
        EXPECT_EQ(FramePeriodTicks(periods[i].rate, periods[i].perSecond), periods[i].period) << "row " << i;
    const struct { int64_t now, deadline, perSecond; uint32_t ms; } waits[] = {
        {0, 0, 1000, 0}, {10, 5, 1000, 0}, {5, 10, 1000, 5}, {0, 1, 1000, 1}, {0, 1, 10000000, 1},
        {0, 10000, 10000000, 1}, {0, 10001, 10000000, 2}, {-100, -50, 1000, 50}, {-50, -100, 1000, 0},
        {0, 166666, 10000000, 17}, {0, 9999999, 10000000, 1000}, {0, 10000000, 10000000, 1000},
        {0, 10000001, 10000000, 1000}, {0, 500000000, 10000000, 1000}, {INT64_MAX - 5, INT64_MAX, 1000, 5}};
    for (size_t i = 0; i < std::size(waits); ++i)
        EXPECT_EQ(MillisecondsUntil(waits[i].now, waits[i].deadline, waits[i].perSecond), waits[i].ms) << "row " << i;
    // The show's counts hold at their largest value (a week at 3600 frames a second passes it).
    const struct { int32_t count, after; } counts[] = {{0, 1}, {41, 42}, {INT32_MAX - 1, INT32_MAX}, {INT32_MAX, INT32_MAX}};
    for (size_t i = 0; i < std::size(counts); ++i)
        EXPECT_EQ(CountedOnce(counts[i].count), counts[i].after) << "row " << i;
}

// A far deadline caps at a second instead of overflowing on the way (UBSan would stop the test).
TEST(Frame, MillisecondsUntilFarDeadlineCapsWithoutOverflow)
{
    const struct { int64_t now, deadline, perSecond; } rows[] = {
        {0, INT64_MAX / 1000 + 1, 10000000}, {0, INT64_MAX, 1000000000}, {INT64_MIN / 2, INT64_MAX / 2, 1000}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(MillisecondsUntil(rows[i].now, rows[i].deadline, rows[i].perSecond), 1000u) << "row " << i;
}

} // namespace
