#include "scale.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

int32_t UsableDpi(int32_t dpi)
{
    if (dpi <= 0)
        return STANDARD_DPI;
    return dpi < 24 ? 24 : dpi > 960 ? 960 : dpi;
}

int32_t ScaledBy(int32_t length, int32_t pixels, int32_t units)
{
    if (pixels <= 0 || units <= 0)
        return 0;
    int64_t scaled = int64_t{length} * pixels;
    int64_t half = units / 2;
    int64_t result = scaled >= 0 ? (scaled + half) / units : -((-scaled + half) / units);
    return result > INT32_MAX ? INT32_MAX : result < INT32_MIN ? INT32_MIN : static_cast<int32_t>(result);
}

int32_t ScaledLength(int32_t length, int32_t dpi)
{
    return ScaledBy(length, UsableDpi(dpi), STANDARD_DPI);
}

int32_t UnscaledLength(int32_t pixels, int32_t dpi)
{
    if (pixels <= 0)
        return 0;
    return static_cast<int32_t>(int64_t{pixels} * STANDARD_DPI / UsableDpi(dpi));
}

int32_t PictureSourceScale(int32_t size, int32_t standardSize)
{
    return size <= standardSize ? 1 : 2;
}

// One channel (0 to 3) of a pixel.
static uint32_t Channel(uint32_t pixel, int which)
{
    return (pixel >> (8 * which)) & 0xFF;
}

// How much of target pixel t (spanning [t * fromSize, (t + 1) * fromSize))
// source pixel s covers (spanning [s * toSize, (s + 1) * toSize)): whole
// numbers, in 1/toSize-th parts of a source pixel.
static int64_t Overlap(int32_t s, int32_t t, int32_t fromSize, int32_t toSize)
{
    int64_t start = std::max(int64_t{s} * toSize, int64_t{t} * fromSize);
    int64_t end = std::min(int64_t{s + 1} * toSize, int64_t{t + 1} * fromSize);
    return end > start ? end - start : 0;
}

// Shrinking: each target pixel averages the source pixels under it, by the
// area each covers.
static void Shrink(const uint32_t* from, int32_t fromSize, uint32_t* to, int32_t toWidth, int32_t toHeight)
{
    for (int32_t y = 0; y < toHeight; ++y) {
        for (int32_t x = 0; x < toWidth; ++x) {
            uint64_t sums[4] = {0, 0, 0, 0}, total = 0;
            for (int32_t sy = y * fromSize / toHeight; sy < fromSize && sy * toHeight < (y + 1) * fromSize; ++sy) {
                for (int32_t sx = x * fromSize / toWidth; sx < fromSize && sx * toWidth < (x + 1) * fromSize; ++sx) {
                    uint64_t weight = static_cast<uint64_t>(Overlap(sy, y, fromSize, toHeight)
                                                            * Overlap(sx, x, fromSize, toWidth));
                    uint32_t pixel = from[size_t(sy) * fromSize + sx];
                    for (int which = 0; which < 4; ++which)
                        sums[which] += weight * Channel(pixel, which);
                    total += weight;
                }
            }
            uint32_t pixel = 0;
            for (int which = 0; which < 4; ++which)
                pixel |= static_cast<uint32_t>((sums[which] + total / 2) / total) << (8 * which);
            to[size_t(y) * toWidth + x] = pixel;
        }
    }
}

// Growing: each target pixel's centre mapped into the source, between the
// four source pixels around it (the edge ones repeated), in 1/256ths.
static void Grow(const uint32_t* from, int32_t fromSize, uint32_t* to, int32_t toWidth, int32_t toHeight)
{
    for (int32_t y = 0; y < toHeight; ++y) {
        int64_t fy = ((2 * int64_t{y} + 1) * fromSize * 256) / (2 * int64_t{toHeight}) - 128;
        fy = fy < 0 ? 0 : fy;
        int32_t y0 = static_cast<int32_t>(fy >> 8), y1 = y0 + 1 < fromSize ? y0 + 1 : y0;
        uint32_t wy = static_cast<uint32_t>(fy & 255);
        for (int32_t x = 0; x < toWidth; ++x) {
            int64_t fx = ((2 * int64_t{x} + 1) * fromSize * 256) / (2 * int64_t{toWidth}) - 128;
            fx = fx < 0 ? 0 : fx;
            int32_t x0 = static_cast<int32_t>(fx >> 8), x1 = x0 + 1 < fromSize ? x0 + 1 : x0;
            uint32_t wx = static_cast<uint32_t>(fx & 255);
            uint32_t a = from[size_t(y0) * fromSize + x0], b = from[size_t(y0) * fromSize + x1];
            uint32_t c = from[size_t(y1) * fromSize + x0], d = from[size_t(y1) * fromSize + x1];
            uint32_t pixel = 0;
            for (int which = 0; which < 4; ++which) {
                uint32_t upper = Channel(a, which) * (256 - wx) + Channel(b, which) * wx;
                uint32_t lower = Channel(c, which) * (256 - wx) + Channel(d, which) * wx;
                pixel |= ((upper * (256 - wy) + lower * wy + 32768) >> 16) << (8 * which);
            }
            to[size_t(y) * toWidth + x] = pixel;
        }
    }
}

void ResamplePicture(const uint32_t* from, int32_t fromSize, uint32_t* to, int32_t toWidth, int32_t toHeight)
{
    if (fromSize <= 0 || toWidth <= 0 || toHeight <= 0)
        return;
    // A picture larger on one axis only grows: the blend stays within the source.
    if (toWidth <= fromSize && toHeight <= fromSize)
        Shrink(from, fromSize, to, toWidth, toHeight);
    else
        Grow(from, fromSize, to, toWidth, toHeight);
}
