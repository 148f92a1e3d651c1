// The show's frame rules that need no window: which input ends it, the busy
// delay and the frame pacing arithmetic.
#pragma once
#include <cstdint>

// Message numbers of the input a show looks at (the values of winuser.h).
constexpr uint32_t FIRST_MOUSE_MESSAGE = 0x200;    // WM_MOUSEMOVE
constexpr uint32_t LAST_MOUSE_MESSAGE = 0x209;     // WM_MBUTTONDBLCLK
constexpr uint32_t FIRST_KEYBOARD_MESSAGE = 0x100; // WM_KEYDOWN
constexpr uint32_t LAST_KEYBOARD_MESSAGE = 0x108;

// A left or right button press or a key press ends the show.
bool MessageEndsShow(uint32_t message);

// The slowest speed the settings dialog can store. A larger one, written into
// the file by hand, would make each frame last minutes and the show, which
// looks at input only between frames, impossible to end.
constexpr int32_t SLOWEST_SPEED = 99999;

// speed x 30 evaluations of cosh(1.23), whose results are discarded: they are
// the delay. Speeds beyond SLOWEST_SPEED delay as SLOWEST_SPEED does.
void BusyDelay(int32_t speed);

// Frames are due at the display's refresh rate; 0 and 1 mean "the default", 60 Hz.
int64_t FramePeriodTicks(int32_t refreshRate, int64_t ticksPerSecond);

// Whole milliseconds to wait from now until deadline, rounded up; 0 once it is due.
uint32_t MillisecondsUntil(int64_t now, int64_t deadline, int64_t ticksPerSecond);
