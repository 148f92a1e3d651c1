// The preview: the full-screen ball's arithmetic (at the primary screen's
// size and the show's pace) drawn scaled down into a small child window.
#include "preview.h"

#include <cstdint>

#include "../base/dpi.h"
#include "../base/globals.h"
#include "../base/scale.h"
#include "../catalogue/catalogue.h"
#include "../show/ball.h"
#include "../show/frame.h"
#include "../show/show.h"
#include "saverrules.h"

static const char PREVIEW_CLASS[] = "HoplettePreview";
constexpr UINT_PTR PREVIEW_TIMER = 1;
// Often enough for a ball that moves a preview pixel every few frames; the
// work per tick is a few steps of arithmetic and, now and then, one small copy.
constexpr UINT PREVIEW_TIMER_PERIOD = 40;

// The preview's state: its parent, its size, the frame schedule, the picture
// of each ball scaled to the preview and the off-screen image it is drawn in.
static HWND previewParent;
static int32_t previewWidth, previewHeight;
// The full screen as the show's arithmetic sees it, in 96-DPI units: the
// preview looks the same at every scale.
static int32_t screenUnitsWide, screenUnitsHigh;
static int64_t previewTicksPerSecond;
static FramePace previewPace;
static int32_t previewMostFrames;
static HBITMAP previewPictures[2];      // the first and the second picture, scaled
static HDC previewPictureDcs[2];        // each selected into a device context of its own, for good
static HGDIOBJ previewPictureFormers[2];
static int32_t previewPictureWidth, previewPictureHeight;
static HDC previewImage;                // previewWidth x previewHeight, what the window shows
static HBITMAP previewImageBitmap;
static HGDIOBJ previewImageFormer;
static POINT previewBalls[2];           // where each picture stands, in preview pixels
static bool previewBallDrawn[2];

// A picture scaled down once, so that each redraw is one small copy.
static HBITMAP ScalePicture(HDC dc, HBITMAP picture)
{
    if (picture == nullptr)
        return nullptr;
    HBITMAP scaled = CreateCompatibleBitmap(dc, previewPictureWidth, previewPictureHeight);
    HDC from = CreateCompatibleDC(dc), to = CreateCompatibleDC(dc);
    HGDIOBJ fromFormer = SelectObject(from, picture);
    HGDIOBJ toFormer = SelectObject(to, scaled);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, previewPictureWidth, previewPictureHeight, from, 0, 0, BALL_SIZE, BALL_SIZE, SRCCOPY);
    SelectObject(from, fromFormer);
    SelectObject(to, toFormer);
    DeleteDC(from);
    DeleteDC(to);
    return scaled;
}

static void OnPreviewCreate(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    previewWidth = client.right;
    previewHeight = client.bottom;

    // The ball as a full-screen show would run it, silent: only its place is drawn.
    int32_t dpi = PrimaryMonitorDpi();
    screenUnitsWide = UnscaledLength(screenWidth, dpi);
    screenUnitsHigh = UnscaledLength(screenHeight, dpi);
    BallPlace screen = {screenWidth, screenHeight, dpi, false};
    BallAnimation(nullptr, BALL_MEASURE, screen);
    BallAnimation(nullptr, BALL_PREPARE, screen);
    previewPictureWidth = ScaleToPreview(BALL_SIZE, screenUnitsWide, previewWidth);
    previewPictureHeight = ScaleToPreview(BALL_SIZE, screenUnitsHigh, previewHeight);
    previewPictureWidth = previewPictureWidth > 0 ? previewPictureWidth : 1;
    previewPictureHeight = previewPictureHeight > 0 ? previewPictureHeight : 1;

    HDC dc = GetDC(window);
    previewPictures[0] = ScalePicture(dc, firstPicture);
    previewPictures[1] = showMode == SHOW_DOUBLE ? ScalePicture(dc, secondPicture) : nullptr;
    for (int which = 0; which < 2; ++which) {
        previewPictureDcs[which] = nullptr;
        if (previewPictures[which] == nullptr)
            continue;
        previewPictureDcs[which] = CreateCompatibleDC(dc);
        previewPictureFormers[which] = SelectObject(previewPictureDcs[which], previewPictures[which]);
    }
    previewImage = CreateCompatibleDC(dc);
    previewImageBitmap = CreateCompatibleBitmap(dc, previewWidth > 0 ? previewWidth : 1,
                                                previewHeight > 0 ? previewHeight : 1);
    previewImageFormer = SelectObject(previewImage, previewImageBitmap);
    PatBlt(previewImage, 0, 0, previewWidth, previewHeight, BLACKNESS);
    ReleaseDC(window, dc);
    previewBallDrawn[0] = previewBallDrawn[1] = false;

    previewTicksPerSecond = StartClock();
    previewPace = StartFramePace(Speed, previewTicksPerSecond, ClockNow());
    previewMostFrames = FramesPerPaint(previewPace, previewTicksPerSecond * PREVIEW_TIMER_PERIOD / 1000);
    SetTimer(window, PREVIEW_TIMER, PREVIEW_TIMER_PERIOD, nullptr);
}

// Moves the ball by the frames due; true when a picture's place in the preview changed.
static bool StepPreviewBall()
{
    bool twoBalls = showMode == SHOW_DOUBLE;
    bool moved = false;
    int32_t frames = TakeFramesDue(&previewPace, ClockNow(), previewMostFrames);
    for (int32_t step = 0; step < frames * (twoBalls ? 2 : 1); ++step) {
        BallStep ball = StepBall(screenUnitsWide, screenUnitsHigh, showMode);
        int which = ball.secondPicture ? 1 : 0;
        // The second picture's window starts at the middle of the screen.
        int32_t x = ball.drawX + (ball.secondPicture ? screenUnitsWide >> 1 : 0);
        POINT place = {ScaleToPreview(x, screenUnitsWide, previewWidth),
                       ScaleToPreview(ball.drawY, screenUnitsHigh, previewHeight)};
        if (!previewBallDrawn[which] || place.x != previewBalls[which].x || place.y != previewBalls[which].y)
            moved = true;
        previewBalls[which] = place;
        previewBallDrawn[which] = true;
    }
    return moved;
}

static void DrawPreviewImage()
{
    PatBlt(previewImage, 0, 0, previewWidth, previewHeight, BLACKNESS);
    for (int which = 0; which < 2; ++which) {
        if (previewBallDrawn[which] && previewPictureDcs[which] != nullptr)
            BitBlt(previewImage, previewBalls[which].x, previewBalls[which].y, previewPictureWidth,
                   previewPictureHeight, previewPictureDcs[which], 0, 0, SRCCOPY);
    }
}

// The rectangle a picture covers at place, or an empty one where none was drawn.
static RECT BallBox(bool drawn, POINT place)
{
    if (!drawn)
        return RECT{0, 0, 0, 0};
    return RECT{place.x, place.y, place.x + previewPictureWidth, place.y + previewPictureHeight};
}

static void OnPreviewTimer(HWND window)
{
    // Windows destroys the preview with its parent; should that not happen, it goes by itself.
    if (!IsWindow(previewParent)) {
        DestroyWindow(window);
        return;
    }
    RECT before[2] = {BallBox(previewBallDrawn[0], previewBalls[0]), BallBox(previewBallDrawn[1], previewBalls[1])};
    if (!StepPreviewBall())
        return;
    DrawPreviewImage();
    // Only where a ball was or is now: the rest of the window is black already.
    HDC dc = GetDC(window);
    for (int which = 0; which < 2; ++which) {
        RECT changed, after = BallBox(previewBallDrawn[which], previewBalls[which]);
        UnionRect(&changed, &before[which], &after);
        BitBlt(dc, changed.left, changed.top, changed.right - changed.left, changed.bottom - changed.top,
               previewImage, changed.left, changed.top, SRCCOPY);
    }
    ReleaseDC(window, dc);
}

static void OnPreviewPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    BitBlt(dc, 0, 0, previewWidth, previewHeight, previewImage, 0, 0, SRCCOPY);
    EndPaint(window, &paint);
}

static void OnPreviewDestroy(HWND window)
{
    KillTimer(window, PREVIEW_TIMER);
    SelectObject(previewImage, previewImageFormer);
    DeleteDC(previewImage);
    DeleteObject(previewImageBitmap);
    for (int which = 0; which < 2; ++which) {
        if (previewPictures[which] == nullptr)
            continue;
        SelectObject(previewPictureDcs[which], previewPictureFormers[which]);
        DeleteDC(previewPictureDcs[which]);
        DeleteObject(previewPictures[which]);
        previewPictureDcs[which] = nullptr;
        previewPictures[which] = nullptr;
    }
    previewImage = nullptr;
    previewImageBitmap = nullptr;
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
