#include "ball.h"

#include "../base/scale.h"
#include "../catalogue/catalogue.h"

#include <algorithm>
#include <cstdint>

int32_t aspectX, aspectY;
int32_t areaWidth, areaHeight;
int32_t ballX, ballY;
int32_t radiusX, radiusY;
int32_t stepX, stepY;
int32_t ballWidth, ballHeight;
int32_t doubleAlternation = 0;
int32_t firstDrawX, firstDrawY;
int32_t soundLatch = 0;

// A device context that reports no aspect would divide by zero; treat it as square pixels.
static int32_t RadiusFor(int16_t scale, int32_t aspect)
{
    return aspect != 0 ? scale / aspect : scale;
}

static int32_t StepFor(int32_t radius)
{
    return std::max(radius >> 5, int32_t{1});
}

void PrepareBallMotion(int32_t screenWidth, int32_t screenHeight, int16_t showMode)
{
    areaWidth = showMode == SHOW_DOUBLE ? screenWidth >> 1 : screenWidth;
    ballX = areaWidth >> 1;
    areaHeight = screenHeight;
    ballY = areaHeight >> 1;

    int64_t across = int64_t{aspectY} * areaHeight;
    int64_t down = int64_t{aspectX} * areaWidth;
    int16_t scale = static_cast<int16_t>(std::min(across, down) >> (screenWidth >= 1024 ? 4 : 3));
    radiusX = RadiusFor(scale, aspectX);
    radiusY = RadiusFor(scale, aspectY);
    stepX = StepFor(radiusX);
    stepY = StepFor(radiusY);
    ballWidth = BALL_SIZE;
    ballHeight = BALL_SIZE;
}

// Strictly between the turning lines low and high, or halfway where there is no room.
static int32_t Inside(int32_t at, int32_t low, int32_t high)
{
    if (high - low < 2)
        return (low + high) / 2;
    return std::min(std::max(at, low + 1), high - 1);
}

static int32_t WithSignOf(int32_t step, int32_t sign)
{
    return sign < 0 ? -step : step;
}

void FitBallMotion(int32_t screenWidth, int32_t screenHeight, int16_t showMode)
{
    int32_t x = ballX, y = ballY, signX = stepX, signY = stepY;
    PrepareBallMotion(screenWidth, screenHeight, showMode);
    int32_t margin = BounceMargin(showMode, screenWidth);
    ballX = Inside(x, margin + radiusX, areaWidth - margin - radiusX);
    ballY = Inside(y, margin + radiusY, areaHeight - margin - radiusY);
    stepX = WithSignOf(stepX, signX);
    stepY = WithSignOf(stepY, signY);
}

BallMotion SaveBallMotion()
{
    return BallMotion{areaWidth, areaHeight, ballX, ballY, radiusX, radiusY, stepX, stepY,
                      ballWidth, ballHeight, doubleAlternation, firstDrawX, firstDrawY, soundLatch};
}

void RestoreBallMotion(const BallMotion& motion)
{
    areaWidth = motion.areaWidth;
    areaHeight = motion.areaHeight;
    ballX = motion.ballX;
    ballY = motion.ballY;
    radiusX = motion.radiusX;
    radiusY = motion.radiusY;
    stepX = motion.stepX;
    stepY = motion.stepY;
    ballWidth = motion.ballWidth;
    ballHeight = motion.ballHeight;
    doubleAlternation = motion.doubleAlternation;
    firstDrawX = motion.firstDrawX;
    firstDrawY = motion.firstDrawY;
    soundLatch = motion.soundLatch;
}

int32_t BounceMargin(int16_t showMode, int32_t screenWidth)
{
    bool twoBalls = showMode == SHOW_DOUBLE;
    if (screenWidth < 800)
        return twoBalls ? 40 : 18;
    if (screenWidth < 1024)
        return twoBalls ? 30 : 4;
    return twoBalls ? 46 : 32;
}

int32_t MirrorOffset(int32_t screenWidth)
{
    if (screenWidth < 800)
        return -46;
    if (screenWidth < 1024)
        return -6;
    return 54;
}

int32_t RightHalfWidth(int32_t screenWidth)
{
    return screenWidth - (screenWidth >> 1);
}

// Left edge, in the right window, of the mirror image of a picture whose left edge is at x on the screen.
static int32_t MirrorX(int32_t screenWidth, int32_t x)
{
    return RightHalfWidth(screenWidth) - BALL_SIZE - x;
}

static int32_t OffsetFormulaX(int32_t screenWidth, int32_t x)
{
    return ((screenWidth + BALL_SIZE) >> 2) + MirrorOffset(screenWidth) - x;
}

bool OffsetFormulaMirrors(int32_t screenWidth)
{
    // Both sides fall by one for every pixel x grows, so the gap is the same wherever the ball is.
    int32_t gap = OffsetFormulaX(screenWidth, 0) - MirrorX(screenWidth, 0);
    return gap >= -3 && gap <= 3;
}

BallStep StepBall(int32_t screenWidth, int32_t screenHeight, int16_t showMode)
{
    BallStep step{};
    step.drawX = ballX - (ballWidth >> 1);
    step.drawY = ballY - (ballHeight >> 1);
    if (showMode == SHOW_DOUBLE) {
        step.secondPicture = doubleAlternation == 1;
        if (!step.secondPicture) {
            firstDrawX = step.drawX;
            firstDrawY = step.drawY;
        } else if (OffsetFormulaMirrors(screenWidth)) {
            step.drawX = OffsetFormulaX(screenWidth, step.drawX);
        } else {
            // Elsewhere the offsets drift off the mirror as the screen widens: on a
            // wide screen the right ball would leave its half. Mirror the frame's
            // first picture exactly instead.
            step.drawX = MirrorX(screenWidth, firstDrawX);
            step.drawY = firstDrawY;
        }
        doubleAlternation ^= 1;
    }

    ballX += stepX;
    ballY += stepY;

    int32_t margin = BounceMargin(showMode, screenWidth);
    if (ballX + radiusX >= areaWidth - margin || ballX - radiusX <= margin)
        stepX = -stepX;
    if (ballY + radiusY >= areaHeight - margin || ballY - radiusY <= margin)
        stepY = -stepY;

    bool inZone = ballY + SOUND_ZONE >= screenHeight || ballY - SOUND_ZONE <= 0;
    if (inZone) {
        step.playSound = soundLatch == 0;
        soundLatch = 1;
    } else {
        soundLatch = 0;
    }
    return step;
}

BallStep ScaledBallStep(BallStep step, int16_t showMode, int32_t width, int32_t dpi)
{
    if (UsableDpi(dpi) == STANDARD_DPI)
        return step;
    if (showMode == SHOW_DOUBLE && step.secondPicture) {
        // Scaled from the first picture's place, so that both round alike.
        step.drawX = RightHalfWidth(width) - ScaledLength(BALL_SIZE, dpi) - ScaledLength(firstDrawX, dpi);
        step.drawY = ScaledLength(firstDrawY, dpi);
        return step;
    }
    step.drawX = ScaledLength(step.drawX, dpi);
    step.drawY = ScaledLength(step.drawY, dpi);
    return step;
}
