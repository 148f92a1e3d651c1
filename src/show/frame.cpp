#include "frame.h"

#include <cstdint>

bool MessageEndsShow(uint32_t message, uint64_t wParam)
{
    if (message == MESSAGE_POINTERDOWN)
        return PointerInContact(wParam);
    for (uint32_t ending : SHOW_ENDING_MESSAGES)
        if (message == ending)
            return true;
    return false;
}

FramePace StartFramePace(int32_t speed, int64_t ticksPerSecond, int64_t now)
{
    int64_t clamped = speed < 1 ? 1 : speed > SLOWEST_SPEED ? SLOWEST_SPEED : speed;
    int64_t perSecond = ticksPerSecond > 0 ? ticksPerSecond : 1;
    // speed * ticks fits easily: at most 99999 times a few billion.
    int64_t scaled = clamped * perSecond;
    return FramePace{scaled / SPEED_UNITS_PER_SECOND, scaled % SPEED_UNITS_PER_SECOND, now, 0};
}

static void AdvanceFrame(FramePace* pace)
{
    pace->nextDue += pace->interval;
    pace->nextDueRest += pace->intervalRest;
    if (pace->nextDueRest >= SPEED_UNITS_PER_SECOND) {
        pace->nextDueRest -= SPEED_UNITS_PER_SECOND;
        ++pace->nextDue;
    }
}

int32_t TakeFramesDue(FramePace* pace, int64_t now, int32_t most)
{
    int32_t frames = 0;
    while (pace->nextDue <= now && frames < most) {
        AdvanceFrame(pace);
        ++frames;
    }
    if (pace->nextDue <= now) {
        // A stall (a busy machine, a dragged window): go on at the pace from here.
        pace->nextDue = now;
        pace->nextDueRest = 0;
        AdvanceFrame(pace);
    }
    return frames;
}

int32_t FramesPerPaint(const FramePace& pace, int64_t refreshPeriod)
{
    // Two periods' worth: a paint that comes up to a period late still keeps the
    // pace. An interval under one tick counts as one.
    int64_t interval = pace.interval > 0 ? pace.interval : 1;
    int64_t frames = (2 * refreshPeriod + interval - 1) / interval + 1;
    return frames > 1000 ? 1000 : frames < 2 ? 2 : static_cast<int32_t>(frames);
}

int64_t NextPaint(const FramePace& pace, int64_t paintDue, int64_t refreshPeriod)
{
    int64_t soonest = paintDue + refreshPeriod;
    return pace.nextDue > soonest ? pace.nextDue : soonest;
}

int64_t PlanNextPaint(const FramePace& pace, int64_t* paintDue, int64_t refreshPeriod, bool afterPass,
                      int64_t passAt)
{
    if (!afterPass) {
        *paintDue = NextPaint(pace, *paintDue, refreshPeriod);
        return *paintDue;
    }
    int64_t halfway = passAt + refreshPeriod / 2;
    *paintDue = pace.nextDue > halfway ? pace.nextDue : halfway;
    // The paint is shown at the first pass after latest. Made just after the
    // pass before that one it has a whole refresh, and where the compositor
    // paces, the wait after it is long; made anywhere in the refresh, as at
    // latest, its wait may rightly be short and would tell nothing.
    int64_t latest = *paintDue - refreshPeriod / 2;
    int64_t period = refreshPeriod > 0 ? refreshPeriod : 1;
    int64_t passes = (latest - passAt) / period;
    // A sixteenth of a period on, past a pass a little later than reckoned
    // (a rate rounded up, the period's ticks rounded down).
    return passes == 0 ? passAt : passAt + passes * period + period / 16;
}

int64_t PaintDueAt(int64_t scheduled, int64_t now, int64_t refreshPeriod)
{
    return now - scheduled >= refreshPeriod ? now : scheduled;
}

bool CompositorKeepsPace(CompositorWaits* seen, int64_t calledAt, int64_t returnedAt, int64_t refreshPeriod,
                         int64_t ticksPerSecond)
{
    // A pass's own phase makes a wait short wherever the call comes late in a
    // refresh, for minutes on end where the rate is close to a multiple of
    // the frames'. Passes come whole periods after the last return; the
    // period comes from a rate in whole hertz, so over a fifth of a second
    // the true passes stray from the reckoned ones by under a fifth of a
    // period, and one a little later than reckoned may follow a call in the
    // first sixteenth of its refresh (PlanNextPaint wakes after that).
    int64_t period = refreshPeriod > 0 ? refreshPeriod : 1;
    int64_t since = calledAt - seen->lastReturn, into = since % period;
    bool tells = !seen->waited
        || (since >= 0 && since <= ticksPerSecond / 5 && into <= period / 2 && (since < period || into >= period / 16));
    bool quick = returnedAt - calledAt < refreshPeriod / 4;
    // One quick return is no proof: a return seen late (the thread not run at
    // once) misplaces the next call.
    seen->quickInRow = quick && tells ? (seen->quickInRow < 2 ? seen->quickInRow + 1 : 2) : 0;
    seen->waited = true;
    seen->lastReturn = returnedAt;
    return seen->quickInRow < 2;
}

bool BurstGoesOn(int64_t startedAt, int64_t now, int64_t refreshPeriod, bool pressWaiting)
{
    return !pressWaiting && now - startedAt < refreshPeriod;
}

int32_t CountedOnce(int32_t count)
{
    return count < INT32_MAX ? count + 1 : INT32_MAX;
}

int64_t FramePeriodTicks(int32_t refreshRate, int64_t ticksPerSecond)
{
    if (refreshRate <= 1)
        refreshRate = 60;
    return ticksPerSecond / refreshRate;
}

uint32_t MillisecondsUntil(int64_t now, int64_t deadline, int64_t ticksPerSecond)
{
    if (deadline <= now || ticksPerSecond <= 0)
        return 0;
    // Unsigned: the gap between any two 64-bit counts fits, where the signed one may not.
    uint64_t gap = uint64_t(deadline) - uint64_t(now);
    uint64_t second = uint64_t(ticksPerSecond);
    if (gap >= second)
        return 1000;
    uint64_t ms = gap <= UINT64_MAX / 1000 ? (gap * 1000 + second - 1) / second : 1000;
    return ms > 1000 ? 1000u : static_cast<uint32_t>(ms);
}
