// One field across all monitors: a single ball that travels from one monitor
// to the next and turns only at the outline of the desktop they make together.
#pragma once
#include <cstdint>

#include "../base/screenbox.h"
#include "ball.h"

// The most monitors a field is made of; any others are left out.
constexpr int32_t MOST_FIELD_MONITORS = 16;

// The field in the primary monitor's 96-DPI units (at 96 DPI, the virtual
// screen's pixels): the ball's size and step are those of a show on the
// primary monitor, wherever it goes.
struct BallField {
    ScreenBox monitors[MOST_FIELD_MONITORS]; // in units; one that duplicates or lies inside another is left out
    int32_t monitorCount;
    ScreenBox bounds;                        // the desktop's bounding box, in units
    ScreenBox boundsPixels;                  // the same in pixels: Double mode mirrors about its middle
    // Where the box the turning looks at may be: the monitors, or in Double mode
    // the parts of the bounding box's left half whose mirror image is on a monitor too.
    ScreenBox rooms[MOST_FIELD_MONITORS * MOST_FIELD_MONITORS];
    int32_t roomCount;
    int32_t primaryWidth, primaryHeight;     // the primary monitor in units: the show the ball is sized for
    int32_t primaryLeft, primaryTop;
    int32_t dpi;                             // the primary's: pixels per 96 units
    int32_t margin;
    int16_t showMode;
};

// The field of monitors in virtual-screen pixels, the primary first, for a
// show in showMode; the primary's DPI (0 counts as 96) sets the units.
BallField MakeBallField(const ScreenBox* monitors, int32_t count, int32_t primaryDpi, int16_t showMode);

// A ball as a show on the primary monitor starts it, where that lies in the field.
BallMotion PrepareFieldBall(const BallField* field, int32_t aspectX, int32_t aspectY);

// A running ball on a field that has changed: the size and step of the new
// primary, the steps' signs kept, and the ball where it was or, where that
// no longer fits, at the nearest place inside the field that does.
void FitFieldBall(BallMotion* ball, const BallField* field);

// One step: where to draw (in units, the second picture's place being the
// frame's first one), then the move, the turns at the field's outline and
// the sound near its top or bottom.
BallStep StepFieldBall(BallMotion* ball, const BallField* field);

// Whether the box the turning looks at (the ball's radii plus the margin)
// around a ball at x, y lies inside the field without touching its outline.
bool FieldBoxFits(const BallField* field, int32_t x, int32_t y, int32_t radiusX, int32_t radiusY);

// The picture's size in pixels: the primary's.
int32_t FieldPictureSize(const BallField* field);

// The top-left corner of a step's picture in virtual-screen pixels; the
// second picture is the mirror image of the first about the middle of the
// desktop's bounding box.
void FieldPicturePlace(const BallField* field, const BallStep& step, int32_t* x, int32_t* y);
