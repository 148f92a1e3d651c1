// The ball's drawing glue around the arithmetic of ball.cpp: the display's
// aspect values, the show's pictures and their copies at other sizes, and
// the draw of one step.
#include "show.h"

#include "../base/globals.h"
#include "../base/scale.h"
#include "../catalogue/catalogue.h"
#include "ball.h"

void MeasureAspect(HWND window, int32_t* aspectX, int32_t* aspectY)
{
    HDC dc = GetDC(window);
    *aspectX = GetDeviceCaps(dc, ASPECTX);
    *aspectY = GetDeviceCaps(dc, ASPECTY);
    ReleaseDC(window, dc);
}

static HBITMAP LoadPicture(const char* name)
{
    return name != nullptr ? LoadBitmapA(instanceHandle, name) : nullptr;
}

ShowPictures LoadShowPictures(int16_t showMode, int32_t pairCode1, int32_t pairCode2)
{
    ShowPictures pictures = {};
    if (showMode != SHOW_DOUBLE) {
        pictures.names[0] = ShowModePicture(showMode);
    } else {
        pictures.names[0] = PairCodePicture(pairCode1);
        pictures.names[1] = PairCodePicture(pairCode2);
    }
    for (int which = 0; which < 2; ++which)
        pictures.loaded[which] = LoadPicture(pictures.names[which]);
    return pictures;
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

// A picture of width x height pixels: the one made at 200% where it is that
// size, otherwise resampled from the smallest made at least as large (or
// from the 200% one) with a filter, not stretched pixel by pixel.
static HBITMAP MakeScaledPicture(const char* name, int32_t width, int32_t height)
{
    int32_t scale = PictureSourceScale(width > height ? width : height, BALL_SIZE);
    int32_t sourceSize = BALL_SIZE * scale;
    HBITMAP source = LoadSourcePicture(name, scale);
    if (source == nullptr || (sourceSize == width && sourceSize == height))
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
    uint32_t* to = static_cast<uint32_t*>(HeapAlloc(heap, 0, size_t(width) * height * 4));
    HBITMAP made = nullptr;
    HDC screen = GetDC(nullptr);
    if (from != nullptr && to != nullptr
        && GetDIBits(screen, source, 0, sourceSize, from, &info, DIB_RGB_COLORS) == sourceSize) {
        ResamplePicture(from, sourceSize, to, width, height);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        made = CreateCompatibleBitmap(screen, width, height);
        if (made != nullptr)
            SetDIBits(screen, made, 0, height, to, &info, DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    if (from != nullptr)
        HeapFree(heap, 0, from);
    if (to != nullptr)
        HeapFree(heap, 0, to);
    DeleteObject(source);
    return made;
}

// A picture selected into a memory device context of its own, made once.
static HDC PictureDc(HBITMAP picture, HDC* dc)
{
    if (*dc == nullptr && picture != nullptr) {
        *dc = CreateCompatibleDC(nullptr);
        if (*dc != nullptr)
            SelectObject(*dc, picture);
    }
    return *dc;
}

// The first or the second picture as drawn at width x height, in its
// device context: the loaded one at 100%, otherwise a copy made once for
// the size; null when there is no room for another size.
static HDC PictureAt(ShowPictures* pictures, bool second, int32_t width, int32_t height)
{
    int which = second ? 1 : 0;
    if (width == BALL_SIZE && height == BALL_SIZE)
        return PictureDc(pictures->loaded[which], &pictures->loadedDcs[which]);
    for (int32_t i = 0; i < pictures->copyCount; ++i) {
        ShowPictures::Copy* copy = &pictures->copies[i];
        if (copy->width == width && copy->height == height)
            return PictureDc(copy->pictures[which], &copy->dcs[which]);
    }
    if (pictures->copyCount == MOST_SHOW_MONITORS || width <= 0 || height <= 0)
        return nullptr;
    ShowPictures::Copy* made = &pictures->copies[pictures->copyCount++];
    *made = {};
    made->width = width;
    made->height = height;
    for (int i = 0; i < 2; ++i)
        if (pictures->names[i] != nullptr)
            made->pictures[i] = MakeScaledPicture(pictures->names[i], width, height);
    return PictureDc(made->pictures[which], &made->dcs[which]);
}

void MakePicturesFor(ShowPictures* pictures, const BallPlace& place)
{
    PictureAt(pictures, false, PictureWidth(place), PictureHeight(place));
}

// Each device context goes before its picture.
static void Release(HBITMAP picture, HDC dc)
{
    if (dc != nullptr)
        DeleteDC(dc);
    if (picture != nullptr)
        DeleteObject(picture);
}

void ReleaseShowPictures(ShowPictures* pictures)
{
    for (int32_t i = 0; i < pictures->copyCount; ++i)
        for (int which = 0; which < 2; ++which)
            Release(pictures->copies[i].pictures[which], pictures->copies[i].dcs[which]);
    for (int which = 0; which < 2; ++which)
        Release(pictures->loaded[which], pictures->loadedDcs[which]);
    *pictures = {};
}

void DrawBall(HWND window, ShowPictures* pictures, const BallStep& step, const BallPlace& place)
{
    if (window == nullptr)
        return;
    int32_t width = PictureWidth(place), height = PictureHeight(place);
    HDC picture = PictureAt(pictures, step.secondPicture, width, height);
    if (picture == nullptr)
        return;
    HDC dc = GetDC(window);
    BitBlt(dc, step.drawX, step.drawY, width, height, picture, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}
