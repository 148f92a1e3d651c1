// Sizes at the display's scale: every size of the program is given for 100%
// (96 dots per inch) and drawn at the display's own pixels per inch.
#pragma once
#include <cstdint>

constexpr int32_t STANDARD_DPI = 96;

// The pixels per inch a size is drawn at: anything below 24 or above 960
// (25% to 1000%) counts as the nearest of those, nothing as 96.
int32_t UsableDpi(int32_t dpi);

// A length or position in pixels where `units` units make `pixels` pixels,
// rounded to the nearest pixel (halves away from zero, so that a mirror image
// rounds alike); 0 where either is not positive.
int32_t ScaledBy(int32_t length, int32_t pixels, int32_t units);

// A length or position of 96-DPI units in pixels at dpi.
int32_t ScaledLength(int32_t length, int32_t dpi);

// Whole 96-DPI units in a length of pixels at dpi: a screen's size as the
// show's arithmetic sees it.
int32_t UnscaledLength(int32_t pixels, int32_t dpi);

// The planets are made at 100% and at 200%: the one to draw a picture of
// `size` pixels from, 1 or 2, the smallest that is at least that large
// (2 above 200% too).
int32_t PictureSourceScale(int32_t size, int32_t standardSize);

// Resamples a square picture of 32-bit pixels (any byte order) to a
// rectangle, channel by channel: each pixel of `to` averages the part of
// `from` it covers where it shrinks, and blends the four nearest where it
// grows. Nothing is read or written outside the two pictures.
void ResamplePicture(const uint32_t* from, int32_t fromSize, uint32_t* to, int32_t toWidth, int32_t toHeight);
