#include "ball.h"

#include "../base/scale.h"
#include "../catalogue/catalogue.h"

#include <algorithm>
#include <cstdint>

// A device context that reports no aspect would divide by zero; treat it as square pixels.
static int32_t RadiusFor(int16_t scale, int32_t aspect)
{
    return aspect != 0 ? scale / aspect : scale;
}

static int32_t StepFor(int32_t radius)
{
    return std::max(radius >> 5, int32_t{1});
}

BallMotion PrepareBallMotion(int32_t screenWidth, int32_t screenHeight, int16_t showMode, int32_t aspectX,
                             int32_t aspectY)
{
    BallMotion ball{};
    ball.aspectX = aspectX;
    ball.aspectY = aspectY;
    ball.areaWidth = showMode == SHOW_DOUBLE ? screenWidth >> 1 : screenWidth;
    ball.ballX = ball.areaWidth >> 1;
    ball.areaHeight = screenHeight;
    ball.ballY = ball.areaHeight >> 1;

    int64_t across = int64_t{aspectY} * ball.areaHeight;
    int64_t down = int64_t{aspectX} * ball.areaWidth;
    int16_t scale = static_cast<int16_t>(std::min(across, down) >> (screenWidth >= 1024 ? 4 : 3));
    ball.radiusX = RadiusFor(scale, aspectX);
    ball.radiusY = RadiusFor(scale, aspectY);
    ball.stepX = StepFor(ball.radiusX);
    ball.stepY = StepFor(ball.radiusY);
    return ball;
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

void FitBallMotion(BallMotion* ball, int32_t screenWidth, int32_t screenHeight, int16_t showMode)
{
    BallMotion fitted = PrepareBallMotion(screenWidth, screenHeight, showMode, ball->aspectX, ball->aspectY);
    int32_t margin = BounceMargin(showMode, screenWidth);
    ball->areaWidth = fitted.areaWidth;
    ball->areaHeight = fitted.areaHeight;
    ball->radiusX = fitted.radiusX;
    ball->radiusY = fitted.radiusY;
    ball->ballX = Inside(ball->ballX, margin + fitted.radiusX, fitted.areaWidth - margin - fitted.radiusX);
    ball->ballY = Inside(ball->ballY, margin + fitted.radiusY, fitted.areaHeight - margin - fitted.radiusY);
    ball->stepX = WithSignOf(fitted.stepX, ball->stepX);
    ball->stepY = WithSignOf(fitted.stepY, ball->stepY);
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

BallStep StepBall(BallMotion* ball, int32_t screenWidth, int32_t screenHeight, int16_t showMode)
{
    BallStep step{};
    step.drawX = ball->ballX - (BALL_SIZE >> 1);
    step.drawY = ball->ballY - (BALL_SIZE >> 1);
    if (showMode == SHOW_DOUBLE) {
        step.secondPicture = ball->doubleAlternation == 1;
        if (!step.secondPicture) {
            ball->firstDrawX = step.drawX;
            ball->firstDrawY = step.drawY;
        } else if (OffsetFormulaMirrors(screenWidth)) {
            step.drawX = OffsetFormulaX(screenWidth, step.drawX);
        } else {
            // Elsewhere the offsets drift off the mirror as the screen widens: on a
            // wide screen the right ball would leave its half. Mirror the frame's
            // first picture exactly instead.
            step.drawX = MirrorX(screenWidth, ball->firstDrawX);
            step.drawY = ball->firstDrawY;
        }
        ball->doubleAlternation ^= 1;
    }

    ball->ballX += ball->stepX;
    ball->ballY += ball->stepY;

    int32_t margin = BounceMargin(showMode, screenWidth);
    if (ball->ballX + ball->radiusX >= ball->areaWidth - margin || ball->ballX - ball->radiusX <= margin)
        ball->stepX = -ball->stepX;
    if (ball->ballY + ball->radiusY >= ball->areaHeight - margin || ball->ballY - ball->radiusY <= margin)
        ball->stepY = -ball->stepY;

    bool inZone = ball->ballY + SOUND_ZONE >= screenHeight || ball->ballY - SOUND_ZONE <= 0;
    if (inZone) {
        step.playSound = ball->soundLatch == 0;
        ball->soundLatch = 1;
    } else {
        ball->soundLatch = 0;
    }
    return step;
}

BallPlace MonitorPlace(int32_t width, int32_t height, int32_t dpi, bool heard)
{
    int32_t usable = UsableDpi(dpi);
    return BallPlace{width, height, UnscaledLength(width, dpi), UnscaledLength(height, dpi),
                     usable, STANDARD_DPI, usable, STANDARD_DPI, heard};
}

int32_t PictureWidth(const BallPlace& place)
{
    return ScaledBy(BALL_SIZE, place.pixelsAcross, place.unitsAcross);
}

int32_t PictureHeight(const BallPlace& place)
{
    return ScaledBy(BALL_SIZE, place.pixelsDown, place.unitsDown);
}

BallMotion PrepareBallAt(const BallPlace& place, int16_t showMode, int32_t aspectX, int32_t aspectY)
{
    return PrepareBallMotion(place.unitsWide, place.unitsHigh, showMode, aspectX, aspectY);
}

void FitBallAt(BallMotion* ball, const BallPlace& place, int16_t showMode)
{
    FitBallMotion(ball, place.unitsWide, place.unitsHigh, showMode);
}

BallStep StepBallAt(BallMotion* ball, const BallPlace& place, int16_t showMode)
{
    return ScaledBallStep(*ball, StepBall(ball, place.unitsWide, place.unitsHigh, showMode), showMode, place);
}

BallStep ScaledBallStep(const BallMotion& ball, BallStep step, int16_t showMode, const BallPlace& place)
{
    if (place.pixelsAcross == place.unitsAcross && place.pixelsDown == place.unitsDown)
        return step;
    if (showMode == SHOW_DOUBLE && step.secondPicture) {
        // Scaled from the first picture's place, so that both round alike.
        step.drawX = RightHalfWidth(place.width) - PictureWidth(place)
                   - ScaledBy(ball.firstDrawX, place.pixelsAcross, place.unitsAcross);
        step.drawY = ScaledBy(ball.firstDrawY, place.pixelsDown, place.unitsDown);
        return step;
    }
    step.drawX = ScaledBy(step.drawX, place.pixelsAcross, place.unitsAcross);
    step.drawY = ScaledBy(step.drawY, place.pixelsDown, place.unitsDown);
    return step;
}
