// Sizes at the display's scale, and the pictures resampled to them.
#include "base/scale.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace {

TEST(Scale, LengthsAtEveryCommonScale)
{
    // 100% to 300%: the park window (96 x 78, 80 from the bottom), the picture, a position and its mirror.
    const struct { int32_t dpi, park, parkHigh, gap, picture, minus82, screen; } rows[] = {
        {96, 96, 78, 80, 164, -82, 1024},   {120, 120, 98, 100, 205, -103, 1280},
        {144, 144, 117, 120, 246, -123, 1536}, {168, 168, 137, 140, 287, -144, 1792},
        {192, 192, 156, 160, 328, -164, 2048}, {240, 240, 195, 200, 410, -205, 2560},
        {288, 288, 234, 240, 492, -246, 3072}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const int32_t dpi = rows[i].dpi;
        EXPECT_TRUE(ScaledLength(96, dpi) == rows[i].park && ScaledLength(78, dpi) == rows[i].parkHigh
                    && ScaledLength(80, dpi) == rows[i].gap && ScaledLength(164, dpi) == rows[i].picture
                    && ScaledLength(-82, dpi) == rows[i].minus82 && ScaledLength(82, dpi) == -rows[i].minus82)
            << "row " << i;
        // The screen in units and back: 1024 units wide, a portrait 768 x 1024 one too.
        EXPECT_TRUE(UnscaledLength(rows[i].screen, dpi) == 1024 && ScaledLength(1024, dpi) == rows[i].screen)
            << "row " << i;
        EXPECT_EQ(PictureSourceScale(rows[i].picture, 164), dpi <= 96 ? 1 : 2) << "row " << i;
    }
    // A monitor whose pixels per inch are nothing or nonsense counts as 96, or the nearest limit.
    const struct { int32_t dpi, usable; } dpis[] = {{0, 96}, {-144, 96}, {1, 24}, {23, 24}, {24, 24},
                                                   {960, 960}, {961, 960}, {INT32_MAX, 960}};
    for (size_t i = 0; i < std::size(dpis); ++i)
        EXPECT_EQ(UsableDpi(dpis[i].dpi), dpis[i].usable) << "row " << i;
    EXPECT_TRUE(ScaledLength(INT32_MAX, 960) == INT32_MAX && ScaledLength(INT32_MIN, 960) == INT32_MIN);
    EXPECT_TRUE(UnscaledLength(0, 144) == 0 && UnscaledLength(-5, 144) == 0 && UnscaledLength(1365, 144) == 910);
}

// A length on an axis of `from` units as pixels of an axis of `to` pixels (the preview of a screen).
TEST(Scale, LengthsAtAnyRatio)
{
    const struct { int32_t length, from, to, scaled; } rows[] = {
        {164, 1024, 152, 24},  // 24.34: the picture on the usual preview
        {164, 768, 112, 24},   // 23.92
        {1024, 1024, 152, 152}, {768, 768, 112, 112}, {0, 1024, 152, 0}, {512, 1024, 152, 76},
        {430, 1024, 152, 64},  // 63.83
        {27, 1024, 152, 4},    // 4.008
        {3, 1024, 152, 0},     // 0.445 rounds down
        {4, 1024, 152, 1},     // 0.59 rounds up
        {-164, 1024, 152, -24}, {-3, 1024, 152, 0}, {-4, 1024, 152, -1},
        {10, 1, 1, 10}, {1, 2, 1, 1},  // a half rounds up
        {164, 3840, 152, 6}, {164, 640, 152, 39},  // 6.49, 38.95
        {164, 0, 152, 0}, {164, 1024, 0, 0}, {164, -1024, 152, 0}, {164, 1024, -152, 0},
        {INT32_MAX, 1, INT32_MAX, INT32_MAX}, {INT32_MIN, 1, INT32_MAX, INT32_MIN},
        {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MAX, 1, -1}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(ScaledBy(rows[i].length, rows[i].to, rows[i].from), rows[i].scaled) << "row " << i;
}

// A square of one colour, checked past its end by the sanitizer.
std::vector<uint32_t> Square(int32_t size, uint32_t colour) { return std::vector<uint32_t>(size_t(size) * size, colour); }

TEST(Scale, ResamplingKeepsColoursAndAverages)
{
    // One colour stays that colour, shrunk or grown, to any size: the preview's small and uneven ones too.
    const int32_t sizes[][3] = {{328, 246, 246}, {328, 287, 287}, {328, 205, 205}, {164, 123, 123}, {328, 410, 410},
                                {328, 492, 492}, {328, 328, 328}, {1, 7, 7}, {7, 1, 1}, {3, 2, 2}, {164, 24, 24},
                                {164, 13, 17}, {164, 17, 200}};
    for (size_t i = 0; i < std::size(sizes); ++i) {
        const size_t area = size_t(sizes[i][1]) * sizes[i][2];
        std::vector<uint32_t> from = Square(sizes[i][0], 0x80FF4010), to(area, 0);
        ResamplePicture(from.data(), sizes[i][0], to.data(), sizes[i][1], sizes[i][2]);
        EXPECT_EQ(to, std::vector<uint32_t>(area, 0x80FF4010)) << "row " << i;
    }
    // Halving averages each 2 x 2 block; the same size copies.
    const std::vector<uint32_t> checker = {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000};
    std::vector<uint32_t> one(1), same(4);
    ResamplePicture(checker.data(), 2, one.data(), 1, 1);
    ResamplePicture(checker.data(), 2, same.data(), 2, 2);
    EXPECT_EQ(one[0], 0x808080u);
    EXPECT_EQ(same, checker);
    // A black half and a white half: the middle column of a 3-wide shrink is grey, the outer ones not.
    std::vector<uint32_t> halves(16), three(9);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x)
            halves[size_t(y) * 4 + x] = x < 2 ? 0 : 0xFFFFFF;
    ResamplePicture(halves.data(), 4, three.data(), 3, 3);
    EXPECT_TRUE(three[0] == 0 && three[1] == 0x808080 && three[2] == 0xFFFFFF);
}

} // namespace
