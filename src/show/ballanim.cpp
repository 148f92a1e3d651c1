// The ball animation's drawing glue around the arithmetic of ball.cpp.
#include "show.h"

#include "../base/globals.h"
#include "../catalogue/catalogue.h"
#include "ball.h"
#include "sound.h"

static void MeasureDisplay(HWND window)
{
    HDC dc = GetDC(window);
    aspectX = GetDeviceCaps(dc, ASPECTX);
    aspectY = GetDeviceCaps(dc, ASPECTY);
    ReleaseDC(window, dc);
}

static HBITMAP LoadPicture(const char* name)
{
    return name != nullptr ? LoadBitmapA(instanceHandle, name) : nullptr;
}

static void ReplacePicture(HBITMAP* picture, const char* name)
{
    if (*picture != nullptr)
        DeleteObject(*picture);
    *picture = LoadPicture(name);
}

static void PrepareBall(BallPlace place)
{
    // Read at every show, so that a sound file changed meanwhile is heard.
    LoadEdgeSound();
    PrepareBallMotion(place.width, place.height, showMode);
    if (showMode != SHOW_DOUBLE) {
        // The second picture of an earlier Double-mode show stays loaded.
        ReplacePicture(&firstPicture, ShowModePicture(showMode));
        return;
    }
    ReplacePicture(&firstPicture, PairCodePicture(BowlNo_1));
    ReplacePicture(&secondPicture, PairCodePicture(BowlNo_2));
}

static void DrawPicture(HWND window, HBITMAP picture, int x, int y)
{
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(dc, x, y, ballWidth, ballHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    ReleaseDC(window, dc);
    DeleteDC(memory);
}

static void StepOnWindow(HWND window, BallPlace place)
{
    BallStep step = StepBall(place.width, place.height, showMode);
    HBITMAP picture = step.secondPicture ? secondPicture : firstPicture;
    // A picture that failed to load draws nothing: the black stays. Without
    // its show window the ball still steps.
    if (window != nullptr && picture != nullptr)
        DrawPicture(window, picture, step.drawX, step.drawY);

    if (step.playSound && place.heard)
        PlayEdgeSound();
}

void BallAnimation(HWND window, int phase, BallPlace place)
{
    switch (phase) {
    case BALL_MEASURE:
        MeasureDisplay(window);
        break;
    case BALL_PREPARE:
        PrepareBall(place);
        break;
    case BALL_STEP:
        StepOnWindow(window, place);
        break;
    default:
        break;
    }
}
