#include "field.h"

#include "../base/scale.h"
#include "../catalogue/catalogue.h"

#include <algorithm>
#include <cstdint>

// Pixels to the primary's units, rounded down on both sides of zero, so that
// two monitors that meet in pixels meet in units too.
static int32_t ToUnits(int32_t pixels, int32_t dpi)
{
    int64_t scaled = int64_t{pixels} * STANDARD_DPI;
    int64_t units = scaled >= 0 ? scaled / dpi : -((-scaled + dpi - 1) / dpi);
    return static_cast<int32_t>(units);
}

static bool IsEmpty(const ScreenBox& box)
{
    return box.right <= box.left || box.bottom <= box.top;
}

static bool LiesInside(const ScreenBox& inner, const ScreenBox& outer)
{
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top
        && inner.bottom <= outer.bottom;
}

static ScreenBox Overlap(const ScreenBox& a, const ScreenBox& b)
{
    return ScreenBox{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
}

// Adds a box unless it is empty or lies inside one already there; the ones
// already there that lie inside it go.
static void AddBox(ScreenBox* list, int32_t* count, const ScreenBox& box)
{
    if (IsEmpty(box))
        return;
    for (int32_t i = 0; i < *count; ++i)
        if (LiesInside(box, list[i]))
            return;
    int32_t kept = 0;
    for (int32_t i = 0; i < *count; ++i)
        if (!LiesInside(list[i], box))
            list[kept++] = list[i];
    list[kept++] = box;
    *count = kept;
}

BallField MakeBallField(const ScreenBox* monitors, int32_t count, int32_t primaryDpi, int16_t showMode)
{
    BallField field{};
    field.showMode = showMode;
    field.dpi = UsableDpi(primaryDpi);
    count = std::min(std::max(count, int32_t{0}), MOST_FIELD_MONITORS);
    ScreenBox pixels{0, 0, 0, 0};
    for (int32_t i = 0; i < count; ++i) {
        const ScreenBox& m = monitors[i];
        ScreenBox units{ToUnits(m.left, field.dpi), ToUnits(m.top, field.dpi), ToUnits(m.right, field.dpi),
                        ToUnits(m.bottom, field.dpi)};
        AddBox(field.monitors, &field.monitorCount, units);
        if (IsEmpty(m))
            continue;
        pixels = IsEmpty(pixels) ? m
                                 : ScreenBox{std::min(pixels.left, m.left), std::min(pixels.top, m.top),
                                             std::max(pixels.right, m.right), std::max(pixels.bottom, m.bottom)};
    }
    field.boundsPixels = pixels;
    field.bounds = ScreenBox{ToUnits(pixels.left, field.dpi), ToUnits(pixels.top, field.dpi),
                             ToUnits(pixels.right, field.dpi), ToUnits(pixels.bottom, field.dpi)};
    if (count > 0) {
        field.primaryWidth = UnscaledLength(monitors[0].right - monitors[0].left, field.dpi);
        field.primaryHeight = UnscaledLength(monitors[0].bottom - monitors[0].top, field.dpi);
        field.primaryLeft = ToUnits(monitors[0].left, field.dpi);
        field.primaryTop = ToUnits(monitors[0].top, field.dpi);
    }
    field.margin = BounceMargin(showMode, field.primaryWidth);

    if (showMode == SHOW_DOUBLE) {
        // The left ball keeps to the left half, where its mirror image falls on a monitor too.
        const ScreenBox& b = field.bounds;
        int32_t mirror = b.left + b.right;
        ScreenBox leftHalf{b.left, b.top, b.left + ((b.right - b.left) >> 1), b.bottom};
        for (int32_t i = 0; i < field.monitorCount; ++i)
            for (int32_t j = 0; j < field.monitorCount; ++j) {
                const ScreenBox& m = field.monitors[j];
                ScreenBox mirrored{mirror - m.right, m.top, mirror - m.left, m.bottom};
                AddBox(field.rooms, &field.roomCount, Overlap(Overlap(field.monitors[i], mirrored), leftHalf));
            }
    }
    // Where no part of the left half has its mirror on a monitor, the ball keeps to the monitors.
    if (field.roomCount == 0)
        for (int32_t i = 0; i < field.monitorCount; ++i)
            field.rooms[field.roomCount++] = field.monitors[i];
    return field;
}

// Down the field's columns instead of across its rows.
static ScreenBox Turned(const ScreenBox& box)
{
    return ScreenBox{box.top, box.left, box.bottom, box.right};
}

// Whether, in some band of rows the box covers, the field's rows take in
// part of the box's width but not all of it: the box meets a left or right
// edge of the field there, or a gap between two monitors.
static bool CrossesSideways(const ScreenBox* rooms, int32_t count, const ScreenBox& box, bool turned)
{
    int32_t edges[2 * MOST_FIELD_MONITORS * MOST_FIELD_MONITORS + 2];
    int32_t edgeCount = 0;
    ScreenBox seen[MOST_FIELD_MONITORS * MOST_FIELD_MONITORS];
    ScreenBox b = turned ? Turned(box) : box;
    for (int32_t i = 0; i < count; ++i)
        seen[i] = turned ? Turned(rooms[i]) : rooms[i];
    edges[edgeCount++] = b.top;
    edges[edgeCount++] = b.bottom;
    for (int32_t i = 0; i < count; ++i)
        for (int32_t edge : {seen[i].top, seen[i].bottom})
            if (edge > b.top && edge < b.bottom)
                edges[edgeCount++] = edge;
    std::sort(edges, edges + edgeCount);
    edgeCount = static_cast<int32_t>(std::unique(edges, edges + edgeCount) - edges);

    struct Span { int32_t left, right; } spans[MOST_FIELD_MONITORS * MOST_FIELD_MONITORS];
    for (int32_t band = 0; band + 1 < edgeCount; ++band) {
        int32_t spanCount = 0;
        for (int32_t i = 0; i < count; ++i)
            if (seen[i].top <= edges[band] && seen[i].bottom >= edges[band + 1])
                spans[spanCount++] = Span{seen[i].left, seen[i].right};
        std::sort(spans, spans + spanCount, [](const Span& p, const Span& q) { return p.left < q.left; });
        for (int32_t i = 0; i < spanCount;) {
            Span run = spans[i++];
            while (i < spanCount && spans[i].left <= run.right)
                run.right = std::max(run.right, spans[i++].right);
            bool meets = run.left < b.right && run.right > b.left;
            bool holds = run.left <= b.left && run.right >= b.right;
            if (meets && !holds)
                return true;
        }
    }
    return false;
}

// The box the turning looks at, one pixel wider on each side: a single
// monitor's show turns where it touches column or row 0 or reaches the far edge.
static ScreenBox TurningBox(const BallField* field, int32_t x, int32_t y, int32_t radiusX, int32_t radiusY)
{
    int32_t reachX = radiusX + field->margin + 1, reachY = radiusY + field->margin + 1;
    return ScreenBox{x - reachX, y - reachY, x + reachX, y + reachY};
}

bool FieldBoxFits(const BallField* field, int32_t x, int32_t y, int32_t radiusX, int32_t radiusY)
{
    ScreenBox box = TurningBox(field, x, y, radiusX, radiusY);
    bool meetsAny = false;
    for (int32_t i = 0; i < field->roomCount; ++i)
        meetsAny = meetsAny || !IsEmpty(Overlap(box, field->rooms[i]));
    return meetsAny && !CrossesSideways(field->rooms, field->roomCount, box, false)
        && !CrossesSideways(field->rooms, field->roomCount, box, true);
}

// Strictly between the turning lines low and high, or halfway where there is no room.
static int32_t Inside(int32_t at, int32_t low, int32_t high)
{
    if (high - low < 2)
        return (low + high) / 2;
    return std::min(std::max(at, low + 1), high - 1);
}

// The nearest place where the ball's box fits in one of the rooms; where it
// fits in none, the first room's middle, as a show on a screen too small has it.
static void PlaceInside(BallMotion* ball, const BallField* field)
{
    int64_t best = INT64_MAX;
    int32_t bestX = ball->ballX, bestY = ball->ballY;
    for (int32_t i = field->roomCount - 1; i >= 0; --i) {
        const ScreenBox& room = field->rooms[i];
        int32_t reachX = field->margin + ball->radiusX, reachY = field->margin + ball->radiusY;
        int32_t x = Inside(ball->ballX, room.left + reachX, room.right - reachX);
        int32_t y = Inside(ball->ballY, room.top + reachY, room.bottom - reachY);
        int64_t distance = std::abs(int64_t{x} - ball->ballX) + std::abs(int64_t{y} - ball->ballY);
        bool fits = FieldBoxFits(field, x, y, ball->radiusX, ball->radiusY);
        if ((fits && distance <= best) || (i == 0 && best == INT64_MAX)) {
            best = fits ? distance : best;
            bestX = x;
            bestY = y;
        }
    }
    ball->ballX = bestX;
    ball->ballY = bestY;
}

BallMotion PrepareFieldBall(const BallField* field, int32_t aspectX, int32_t aspectY)
{
    BallMotion ball = PrepareBallMotion(field->primaryWidth, field->primaryHeight, field->showMode, aspectX, aspectY);
    ball.ballX += field->primaryLeft;
    ball.ballY += field->primaryTop;
    // In Double mode the primary's left half may lie outside the left ball's rooms.
    if (!FieldBoxFits(field, ball.ballX, ball.ballY, ball.radiusX, ball.radiusY))
        PlaceInside(&ball, field);
    return ball;
}

void FitFieldBall(BallMotion* ball, const BallField* field)
{
    BallMotion fitted = PrepareBallMotion(field->primaryWidth, field->primaryHeight, field->showMode, ball->aspectX,
                                          ball->aspectY);
    ball->areaWidth = fitted.areaWidth;
    ball->areaHeight = fitted.areaHeight;
    ball->radiusX = fitted.radiusX;
    ball->radiusY = fitted.radiusY;
    ball->stepX = ball->stepX < 0 ? -fitted.stepX : fitted.stepX;
    ball->stepY = ball->stepY < 0 ? -fitted.stepY : fitted.stepY;
    if (!FieldBoxFits(field, ball->ballX, ball->ballY, ball->radiusX, ball->radiusY))
        PlaceInside(ball, field);
}

// Whether y lies within the sound zone of the field's outline above or below
// it: the top and bottom of the run of monitors in the ball's column.
static bool InSoundZone(const BallField* field, int32_t x, int32_t y)
{
    struct Span { int32_t top, bottom; } spans[MOST_FIELD_MONITORS];
    int32_t spanCount = 0;
    for (int32_t i = 0; i < field->monitorCount; ++i)
        if (field->monitors[i].left <= x && x < field->monitors[i].right)
            spans[spanCount++] = Span{field->monitors[i].top, field->monitors[i].bottom};
    std::sort(spans, spans + spanCount, [](const Span& p, const Span& q) { return p.top < q.top; });
    for (int32_t i = 0; i < spanCount;) {
        Span run = spans[i++];
        while (i < spanCount && spans[i].top <= run.bottom)
            run.bottom = std::max(run.bottom, spans[i++].bottom);
        if (run.top <= y && y < run.bottom)
            return y + SOUND_ZONE >= run.bottom || y - SOUND_ZONE <= run.top;
    }
    return false;
}

BallStep StepFieldBall(BallMotion* ball, const BallField* field)
{
    BallStep step{};
    step.drawX = ball->ballX - (BALL_SIZE >> 1);
    step.drawY = ball->ballY - (BALL_SIZE >> 1);
    if (field->showMode == SHOW_DOUBLE) {
        step.secondPicture = ball->doubleAlternation == 1;
        if (!step.secondPicture) {
            ball->firstDrawX = step.drawX;
            ball->firstDrawY = step.drawY;
        } else {
            step.drawX = ball->firstDrawX;
            step.drawY = ball->firstDrawY;
        }
        ball->doubleAlternation ^= 1;
    }

    ball->ballX += ball->stepX;
    ball->ballY += ball->stepY;

    ScreenBox box = TurningBox(field, ball->ballX, ball->ballY, ball->radiusX, ball->radiusY);
    if (CrossesSideways(field->rooms, field->roomCount, box, false))
        ball->stepX = -ball->stepX;
    if (CrossesSideways(field->rooms, field->roomCount, box, true))
        ball->stepY = -ball->stepY;

    if (InSoundZone(field, ball->ballX, ball->ballY)) {
        step.playSound = ball->soundLatch == 0;
        ball->soundLatch = 1;
    } else {
        ball->soundLatch = 0;
    }
    return step;
}

int32_t FieldPictureSize(const BallField* field)
{
    return ScaledLength(BALL_SIZE, field->dpi);
}

void FieldPicturePlace(const BallField* field, const BallStep& step, int32_t* x, int32_t* y)
{
    *x = ScaledLength(step.drawX, field->dpi);
    *y = ScaledLength(step.drawY, field->dpi);
    if (step.secondPicture)
        *x = field->boundsPixels.left + field->boundsPixels.right - FieldPictureSize(field) - *x;
}
