// The show's frame rules that need no window: which input ends the program's
// show (the screen saver's show has rules of its own) and the frame pacing
// arithmetic.
#pragma once
#include <cstdint>

#include "../base/messages.h"

// The ranges of input messages the program's show looks at.
constexpr uint32_t FIRST_MOUSE_MESSAGE = MESSAGE_MOUSEMOVE;
constexpr uint32_t LAST_MOUSE_MESSAGE = MESSAGE_MBUTTONDBLCLK;
constexpr uint32_t FIRST_KEYBOARD_MESSAGE = MESSAGE_KEYDOWN;
constexpr uint32_t LAST_KEYBOARD_MESSAGE = MESSAGE_LAST_KEYBOARD;

// The pointer messages of a finger or a pen, taken off the queue as they
// are looked at.
constexpr uint32_t FIRST_POINTER_MESSAGE = MESSAGE_FIRST_POINTER;
constexpr uint32_t LAST_POINTER_MESSAGE = MESSAGE_LAST_POINTER;

// A left or right button press or a key press ends the show: these three.
constexpr uint32_t SHOW_ENDING_MESSAGES[] = {MESSAGE_LBUTTONDOWN, MESSAGE_RBUTTONDOWN, MESSAGE_KEYDOWN};
// Those, and a pointer press in contact (a finger, a pen's tip, its barrel
// button with the tip down), which Windows 8 and later send a window that
// passes nothing on instead of a left or right press; a pen hovering or a
// finger moving ends nothing. wParam is read for the pointer's flags only.
bool MessageEndsShow(uint32_t message, uint64_t wParam);

// The slowest speed the settings dialog can store; a larger one, written into
// the file by hand, paces the show as this one does.
constexpr int32_t SLOWEST_SPEED = 99999;

// Speed counts in these units a second: Speed N gives one frame every
// N / SPEED_UNITS_PER_SECOND seconds, so 60, the built-in speed, gives 60
// frames a second.
constexpr int64_t SPEED_UNITS_PER_SECOND = 3600;

// The frame schedule of a show: when each frame (one step of the ball, two in
// Double mode) falls due, on the clock's ticks. The interval is kept as whole
// ticks and 3600ths of a tick, so that no rounding drifts the pace.
struct FramePace {
    int64_t interval;      // whole ticks between two frames
    int64_t intervalRest;  // and this many 3600ths of a tick
    int64_t nextDue;       // tick at which the next frame falls due
    int64_t nextDueRest;   // and this many 3600ths of a tick
};

// A schedule for the speed whose first frame is due at now. A speed of 0 or
// less runs as 1, one above SLOWEST_SPEED as SLOWEST_SPEED.
FramePace StartFramePace(int32_t speed, int64_t ticksPerSecond, int64_t now);

// How many frames to draw at a paint at now: those due by then, at most
// `most`. When more were due, the show had stalled: it draws `most` and the
// schedule starts again from now instead of hurrying to catch up.
int32_t TakeFramesDue(FramePace* pace, int64_t now, int32_t most);

// The most frames one paint draws: as many as fall due in two refresh
// periods, and one more.
int32_t FramesPerPaint(const FramePace& pace, int64_t refreshPeriod);

// When the paint after the one due at paintDue falls due: when the next frame
// is due, but never sooner than one refresh period after paintDue. Counted
// from the due time, not from the wake that served it, which always comes a
// little late: paints would slip behind the frames and, every so often, two
// frames would fall due in one paint.
int64_t NextPaint(const FramePace& pace, int64_t paintDue, int64_t refreshPeriod);

// After a paint, the next one's due time (into *paintDue, which held the
// paint's own) and the tick to wake for it, returned. Where the paint waited
// for the compositor's pass, which came at passAt, the next paint is due at
// the next frame but no sooner than half a refresh after that pass; it is
// shown at the first pass after half a refresh before its due time, and wakes
// just after the pass before that one: passAt itself, or a sixteenth of a
// period after a later one reckoned in whole periods from passAt. Elsewhere
// as NextPaint says, waking at its due time.
int64_t PlanNextPaint(const FramePace& pace, int64_t* paintDue, int64_t refreshPeriod, bool afterPass,
                      int64_t passAt);

// The due time of a paint that was scheduled for `scheduled` and woke at now:
// the scheduled one, or now after a stall (a wake a whole refresh period or
// more late), from where the paints start again.
int64_t PaintDueAt(int64_t scheduled, int64_t now, int64_t refreshPeriod);

// What a show has seen of its waits for the compositor's passes; all zero
// before the first.
struct CompositorWaits {
    bool waited;         // a wait has returned before
    int32_t quickInRow;  // quick returns in a row that tell, up to 2
    int64_t lastReturn;  // tick at which the last wait returned
};

// After a wait for the compositor's next pass, called at calledAt and
// returned at returnedAt: false once two waits in a row have returned in
// under a quarter of a refresh period where a compositor that paces would
// have waited half a refresh or more, which is no wait for the screen at all
// (Wine's returns at once). Those are calls in the first half of a refresh
// reckoned in whole periods from the last return (past its first sixteenth
// after the first refresh), at most a fifth of a second after it, and the
// first wait, with no return before it. Where frames come further apart no
// call tells, and one that never waits goes on being made; the wakes still
// keep the pace.
bool CompositorKeepsPace(CompositorWaits* seen, int64_t calledAt, int64_t returnedAt, int64_t refreshPeriod,
                         int64_t ticksPerSecond);

// Whether a burst of frames in one paint goes on with its next frame: not once
// a key or button press is waiting, nor once it has run a refresh period.
bool BurstGoesOn(int64_t startedAt, int64_t now, int64_t refreshPeriod, bool pressWaiting);

// A count one up, held at its largest value: a week-long saver show at the
// fastest speed draws more frames than a 32-bit count holds.
int32_t CountedOnce(int32_t count);

// Frames are due at the display's refresh rate; 0 and 1 mean "the default", 60 Hz.
int64_t FramePeriodTicks(int32_t refreshRate, int64_t ticksPerSecond);

// Whole milliseconds to wait from now until deadline, rounded up; 0 once it is due.
uint32_t MillisecondsUntil(int64_t now, int64_t deadline, int64_t ticksPerSecond);
