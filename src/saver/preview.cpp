// The preview: the show's own ball, step and drawing, at the primary
// screen's size and the show's pace, on the small scale of a child window.
#include "preview.h"

#include <cstdint>

#include "../base/dpi.h"
#include "../base/globals.h"
#include "../base/scale.h"
#include "../catalogue/catalogue.h"
#include "../show/ball.h"
#include "../show/frame.h"
#include "../show/show.h"

static const char PREVIEW_CLASS[] = "HoplettePreview";
constexpr UINT_PTR PREVIEW_TIMER = 1;
// Often enough for a ball that moves a preview pixel every few frames; the
// work per tick is a few steps of arithmetic and, now and then, one small copy.
constexpr UINT PREVIEW_TIMER_PERIOD = 40;

// The preview's state: its parent; the place of its ball, the preview's
// pixels standing for the whole screen's 96-DPI units (so that it looks the
// same at every scale); the ball, its pictures at the preview's size and
// where each was last drawn; the frame schedule.
static HWND previewParent;
static BallPlace previewPlace;
static BallMotion previewBall;
static ShowPictures previewPictures;
static BallStep previewDrawn[2];
static bool previewBallDrawn[2];
static int64_t previewTicksPerSecond;
static FramePace previewPace;
static int32_t previewMostFrames;

static void OnPreviewCreate(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    // The ball as a full-screen show would run it, silent.
    int32_t dpi = PrimaryMonitorDpi();
    int32_t unitsWide = UnscaledLength(screenWidth, dpi), unitsHigh = UnscaledLength(screenHeight, dpi);
    previewPlace = BallPlace{client.right, client.bottom, unitsWide, unitsHigh,
                             client.right, unitsWide, client.bottom, unitsHigh, false};
    int32_t aspectX, aspectY;
    MeasureAspect(nullptr, &aspectX, &aspectY);
    previewBall = PrepareBallAt(previewPlace, showMode, aspectX, aspectY);
    previewPictures = LoadShowPictures(showMode, BowlNo_1, BowlNo_2);
    MakePicturesFor(&previewPictures, previewPlace);
    previewBallDrawn[0] = previewBallDrawn[1] = false;

    previewTicksPerSecond = StartClock();
    previewPace = StartFramePace(Speed, previewTicksPerSecond, ClockNow());
    previewMostFrames = FramesPerPaint(previewPace, previewTicksPerSecond * PREVIEW_TIMER_PERIOD / 1000);
    SetTimer(window, PREVIEW_TIMER, PREVIEW_TIMER_PERIOD, nullptr);
}

// Draws a step where its picture's place in the preview changed: by a pixel
// at most, which the picture's black border paints over, as in a show.
static void DrawPreviewStep(HWND window, BallStep step)
{
    int which = step.secondPicture ? 1 : 0;
    // The right half starts at the middle, as a show's right window does.
    if (step.secondPicture)
        step.drawX += previewPlace.width >> 1;
    if (previewBallDrawn[which] && step.drawX == previewDrawn[which].drawX && step.drawY == previewDrawn[which].drawY)
        return;
    DrawBall(window, &previewPictures, step, previewPlace);
    previewDrawn[which] = step;
    previewBallDrawn[which] = true;
}

static void OnPreviewTimer(HWND window)
{
    // Windows destroys the preview with its parent; should that not happen, it goes by itself.
    if (!IsWindow(previewParent)) {
        DestroyWindow(window);
        return;
    }
    int32_t frames = TakeFramesDue(&previewPace, ClockNow(), previewMostFrames);
    for (int32_t step = 0; step < frames * (showMode == SHOW_DOUBLE ? 2 : 1); ++step)
        DrawPreviewStep(window, StepBallAt(&previewBall, previewPlace, showMode));
}

static void OnPreviewPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PatBlt(dc, 0, 0, previewPlace.width, previewPlace.height, BLACKNESS);
    EndPaint(window, &paint);
    for (int which = 0; which < 2; ++which)
        if (previewBallDrawn[which])
            DrawBall(window, &previewPictures, previewDrawn[which], previewPlace);
}

static void OnPreviewDestroy(HWND window)
{
    KillTimer(window, PREVIEW_TIMER);
    ReleaseShowPictures(&previewPictures);
    PostQuitMessage(0);
}

LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnPreviewCreate(window);
        return 0;
    case WM_TIMER:
        OnPreviewTimer(window);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        OnPreviewPaint(window);
        return 0;
    case WM_DESTROY:
        OnPreviewDestroy(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreatePreviewWindow(HWND parent)
{
    WNDCLASSA previewClass = {};
    previewClass.style = CS_OWNDC; // one device context for the life of the window, not one per frame
    previewClass.lpfnWndProc = PreviewWndProc;
    previewClass.hInstance = instanceHandle;
    previewClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    previewClass.lpszClassName = PREVIEW_CLASS;
    RegisterClassA(&previewClass); // fails harmlessly when already registered

    RECT client;
    if (!GetClientRect(parent, &client))
        return nullptr;
    previewParent = parent;
    return CreateWindowExA(0, PREVIEW_CLASS, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                           parent, nullptr, instanceHandle, nullptr);
}
