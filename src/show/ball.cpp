#include "ball.h"

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

BallStep StepBall(int32_t screenWidth, int32_t screenHeight, int16_t showMode)
{
    BallStep step{};
    step.drawX = ballX - (ballWidth >> 1);
    step.drawY = ballY - (ballHeight >> 1);
    if (showMode == SHOW_DOUBLE) {
        step.secondPicture = doubleAlternation == 1;
        if (step.secondPicture)
            step.drawX = ((screenWidth + ballWidth) >> 2) + MirrorOffset(screenWidth) - step.drawX;
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
