// The ball's arithmetic: where it starts, how it moves, where it turns and
// when the edge sound plays. The drawing glue lives in ballanim.cpp.
#pragma once
#include <cstdint>

constexpr int32_t BALL_SIZE = 164;

// Half-height of the zone near the top and bottom edges that plays the sound.
constexpr int32_t SOUND_ZONE = 80;

// Ball state, process-wide; only the GUI thread touches it.
extern int32_t aspectX, aspectY;          // relative size of a device pixel
extern int32_t areaWidth, areaHeight;     // the rectangle from (0, 0) the ball moves in
extern int32_t ballX, ballY;              // the ball's centre, in area coordinates
extern int32_t radiusX, radiusY;          // half-extent used by the edge test
extern int32_t stepX, stepY;              // pixels per step; the sign is the direction
extern int32_t ballWidth, ballHeight;     // size of the square copied per draw
extern int32_t doubleAlternation;         // 1: the next Double-mode draw uses the second picture
extern int32_t firstDrawX, firstDrawY;    // where this frame's first Double-mode picture went
extern int32_t soundLatch;                // 1: the sound has played for this visit to the zone

// Everything that moves one ball: with a ball on every monitor, each one's
// motion is swapped in for its own steps.
struct BallMotion {
    int32_t areaWidth, areaHeight, ballX, ballY, radiusX, radiusY, stepX, stepY;
    int32_t ballWidth, ballHeight, doubleAlternation, firstDrawX, firstDrawY, soundLatch;
};
BallMotion SaveBallMotion();
void RestoreBallMotion(const BallMotion& motion);

// Area, centre start, radii and steps for a show in showMode.
void PrepareBallMotion(int32_t screenWidth, int32_t screenHeight, int16_t showMode);

// The same for a running show whose screen has changed size: the ball stays
// where it is, but strictly inside the new turning lines (outside them it
// would turn at every step and stick), and its steps keep their signs.
void FitBallMotion(int32_t screenWidth, int32_t screenHeight, int16_t showMode);

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
BallStep StepBall(int32_t screenWidth, int32_t screenHeight, int16_t showMode);

// Where a step's picture goes in pixels, on a screen `width` pixels wide at
// dpi, the step having been made in 96-DPI units: its place scaled; in Double
// mode away from 96 DPI the second picture at the exact mirror image of the
// frame's first one. At 96 DPI, the step as it stands.
BallStep ScaledBallStep(BallStep step, int16_t showMode, int32_t width, int32_t dpi);
