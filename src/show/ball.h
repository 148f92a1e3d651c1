// The ball's arithmetic: where it starts, how it moves, where it turns and
// when the edge sound plays. The drawing glue lives in ballanim.cpp.
#pragma once
#include <cstdint>

// The pictures' width and height at 100%.
constexpr int32_t BALL_SIZE = 164;

// Half-height of the zone near the top and bottom edges that plays the sound.
constexpr int32_t SOUND_ZONE = 80;

// Everything that moves one ball. Each monitor's show keeps its own, handed
// by pointer to the steps that move it.
struct BallMotion {
    int32_t aspectX, aspectY;       // relative size of a device pixel, as prepared with
    int32_t areaWidth, areaHeight;  // the rectangle from (0, 0) the ball moves in
    int32_t ballX, ballY;           // the ball's centre, in area coordinates
    int32_t radiusX, radiusY;       // half-extent used by the edge test
    int32_t stepX, stepY;           // units per step; the sign is the direction
    int32_t doubleAlternation;      // 1: the next Double-mode step is the second picture's
    int32_t firstDrawX, firstDrawY; // where this frame's first Double-mode picture went
    int32_t soundLatch;             // 1: the sound has played for this visit to the zone
};

// A ball at the centre of its area, moving right and down, with the radii
// and steps of a show in showMode on a screen of that size.
BallMotion PrepareBallMotion(int32_t screenWidth, int32_t screenHeight, int16_t showMode, int32_t aspectX,
                             int32_t aspectY);

// The same for a running show whose screen has changed size: the ball stays
// where it is, but strictly inside the new turning lines (outside them it
// would turn at every step and stick), and its steps keep their signs.
void FitBallMotion(BallMotion* ball, int32_t screenWidth, int32_t screenHeight, int16_t showMode);

// Distance from the area's edges at which the ball turns.
int32_t BounceMargin(int16_t showMode, int32_t screenWidth);

// Correction that puts Double mode's second picture at the mirror image of the first.
int32_t MirrorOffset(int32_t screenWidth);

// Width of Double mode's right window: the rest of the screen, odd column included.
int32_t RightHalfWidth(int32_t screenWidth);

// True where the offset formula puts the second picture within 3 px of the
// mirror image of the ball it is drawn for (640, 800, 1024 and close by).
bool OffsetFormulaMirrors(int32_t screenWidth);

// Where one step draws and whether the sound starts in it.
struct BallStep {
    int32_t drawX, drawY;  // top-left corner of the picture in the window
    bool secondPicture;    // Double mode's right-hand picture
    bool playSound;
};

// One step: says where to draw the ball as it stands, then moves it, turns it
// at the margins and updates the sound latch.
BallStep StepBall(BallMotion* ball, int32_t screenWidth, int32_t screenHeight, int16_t showMode);

// Where a ball moves and is drawn: a monitor (or the saver's preview) in
// pixels, the screen its arithmetic runs on in units (96-DPI units on a
// monitor, the whole screen's in the preview), and each axis's pixels per
// unit as a fraction. Only one ball's edge sound is heard, the primary
// monitor's.
struct BallPlace {
    int32_t width, height;
    int32_t unitsWide, unitsHigh;
    int32_t pixelsAcross, unitsAcross, pixelsDown, unitsDown;
    bool heard;
};

// A monitor of width x height pixels at dpi (0 counts as 96).
BallPlace MonitorPlace(int32_t width, int32_t height, int32_t dpi, bool heard);

// The size the pictures are drawn at in a place.
int32_t PictureWidth(const BallPlace& place);
int32_t PictureHeight(const BallPlace& place);

// A ball prepared, refitted or stepped on a place's units.
BallMotion PrepareBallAt(const BallPlace& place, int16_t showMode, int32_t aspectX, int32_t aspectY);
void FitBallAt(BallMotion* ball, const BallPlace& place, int16_t showMode);

// A step in the place's pixels: StepBall's place scaled; in Double mode away
// from one pixel a unit the second picture at the exact mirror image of the
// frame's first one. Where a unit is a pixel, the step as it stands.
BallStep StepBallAt(BallMotion* ball, const BallPlace& place, int16_t showMode);
BallStep ScaledBallStep(const BallMotion& ball, BallStep step, int16_t showMode, const BallPlace& place);
