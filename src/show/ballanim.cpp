// The ball animation's drawing glue around the arithmetic of ball.cpp.
#include "show.h"

#include "../base/globals.h"
#include "../base/scale.h"
#include "../catalogue/catalogue.h"
#include "ball.h"
#include "sound.h"

// The names of the show's two pictures, for the sizes made at other scales.
static const char* pictureNames[2];

// The show's pictures at one scale other than 100%, made once per show at
// the first step there and released at its end.
struct ScaledPictures {
    int32_t dpi;
    HBITMAP pictures[2];
};
static ScaledPictures scaledPictures[MOST_SHOW_MONITORS];
static int32_t scaledPictureCount;

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

// The picture at 200%, NAME_2X, where its size is larger than 100%.
static HBITMAP LoadSourcePicture(const char* name, int32_t scale)
{
    if (name == nullptr || scale == 1)
        return LoadPicture(name);
    char largeName[32];
    if (lstrlenA(name) > 20)
        return nullptr;
    lstrcpyA(largeName, name);
    lstrcatA(largeName, "_2X");
    return LoadPicture(largeName);
}

// A picture of size x size pixels: the one made at 200% where it is that
// size, otherwise resampled from the smallest made at least as large (or
// from the 200% one) with a filter, not stretched pixel by pixel.
static HBITMAP MakeScaledPicture(const char* name, int32_t size)
{
    int32_t scale = PictureSourceScale(size, BALL_SIZE);
    int32_t sourceSize = BALL_SIZE * scale;
    HBITMAP source = LoadSourcePicture(name, scale);
    if (source == nullptr || sourceSize == size)
        return source;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = sourceSize;
    info.bmiHeader.biHeight = -sourceSize; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HANDLE heap = GetProcessHeap();
    uint32_t* from = static_cast<uint32_t*>(HeapAlloc(heap, 0, size_t(sourceSize) * sourceSize * 4));
    uint32_t* to = static_cast<uint32_t*>(HeapAlloc(heap, 0, size_t(size) * size * 4));
    HBITMAP made = nullptr;
    HDC screen = GetDC(nullptr);
    if (from != nullptr && to != nullptr
        && GetDIBits(screen, source, 0, sourceSize, from, &info, DIB_RGB_COLORS) == sourceSize) {
        ResamplePicture(from, sourceSize, to, size, size);
        info.bmiHeader.biWidth = size;
        info.bmiHeader.biHeight = -size;
        made = CreateCompatibleBitmap(screen, size, size);
        if (made != nullptr)
            SetDIBits(screen, made, 0, size, to, &info, DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    if (from != nullptr)
        HeapFree(heap, 0, from);
    if (to != nullptr)
        HeapFree(heap, 0, to);
    DeleteObject(source);
    return made;
}

void ReleaseScaledPictures()
{
    for (int32_t i = 0; i < scaledPictureCount; ++i)
        for (HBITMAP picture : scaledPictures[i].pictures)
            if (picture != nullptr)
                DeleteObject(picture);
    scaledPictureCount = 0;
}

// The first or the second picture as drawn at dpi: the loaded one at 100%.
static HBITMAP PictureAt(bool second, int32_t dpi)
{
    int32_t size = ScaledLength(BALL_SIZE, dpi);
    if (size == BALL_SIZE)
        return second ? secondPicture : firstPicture;
    for (int32_t i = 0; i < scaledPictureCount; ++i)
        if (scaledPictures[i].dpi == dpi)
            return scaledPictures[i].pictures[second ? 1 : 0];
    if (scaledPictureCount == MOST_SHOW_MONITORS)
        return nullptr;
    ScaledPictures* made = &scaledPictures[scaledPictureCount++];
    made->dpi = dpi;
    made->pictures[0] = MakeScaledPicture(pictureNames[0], size);
    // Single-picture modes draw only the first.
    made->pictures[1] = showMode == SHOW_DOUBLE ? MakeScaledPicture(pictureNames[1], size) : nullptr;
    return made->pictures[second ? 1 : 0];
}

void PrepareBallMotionAt(BallPlace place)
{
    PrepareBallMotion(UnscaledLength(place.width, place.dpi), UnscaledLength(place.height, place.dpi), showMode);
}

void FitBallMotionAt(BallPlace place)
{
    FitBallMotion(UnscaledLength(place.width, place.dpi), UnscaledLength(place.height, place.dpi), showMode);
}

static void PrepareBall(BallPlace place)
{
    // Read at every show, so that a sound file changed meanwhile is heard.
    LoadEdgeSound();
    PrepareBallMotionAt(place);
    ReleaseScaledPictures();
    if (showMode != SHOW_DOUBLE) {
        // The second picture of an earlier Double-mode show stays loaded.
        pictureNames[0] = ShowModePicture(showMode);
        ReplacePicture(&firstPicture, pictureNames[0]);
        return;
    }
    pictureNames[0] = PairCodePicture(BowlNo_1);
    pictureNames[1] = PairCodePicture(BowlNo_2);
    ReplacePicture(&firstPicture, pictureNames[0]);
    ReplacePicture(&secondPicture, pictureNames[1]);
}

static void DrawPicture(HWND window, HBITMAP picture, int x, int y, int size)
{
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(dc, x, y, size, size, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    ReleaseDC(window, dc);
    DeleteDC(memory);
}

static void StepOnWindow(HWND window, BallPlace place)
{
    BallStep step = StepBall(UnscaledLength(place.width, place.dpi), UnscaledLength(place.height, place.dpi), showMode);
    step = ScaledBallStep(step, showMode, place.width, place.dpi);
    // A picture that failed to load draws nothing: the black stays. Without
    // its show window the ball still steps.
    if (window != nullptr) {
        HBITMAP picture = PictureAt(step.secondPicture, place.dpi);
        if (picture != nullptr)
            DrawPicture(window, picture, step.drawX, step.drawY, ScaledLength(ballWidth, place.dpi));
    }
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
