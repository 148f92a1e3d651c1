// The show: one full-screen run of the bouncing ball.
#pragma once
#include <windows.h>

#include <cstdint>

// Phases of the ball animation.
constexpr int BALL_MEASURE = 0; // the display's aspect values, through the window's DC
constexpr int BALL_PREPARE = 1; // area, start, steps and pictures for the next show
constexpr int BALL_STEP = 2;    // draw into the window, move, turn, sound

// What one look at the message queue between frames found.
constexpr int INPUT_NONE = 0;    // nothing waiting
constexpr int INPUT_DROPPED = 1; // a message that does not end the show
constexpr int INPUT_ENDS = 2;

// One routine for the ball; any other phase does nothing.
void BallAnimation(HWND window, int phase);

// Runs one show to its end: returns after a button or key press. The
// screen saver's runs on showMonitors, ended by saverLookAtMessages.
void ShowRun(HWND park);

// The clock of the show and the preview: StartClock chooses it and says its
// ticks a second (the performance counter's, or 1000 where Windows has none
// and timeGetTime serves); ClockNow reads it.
int64_t StartClock();
int64_t ClockNow();

// One of Windows' own DLLs, from the system folder only: never a DLL of that
// name that lies beside the program. Null where it is missing.
HMODULE LoadSystemLibrary(const char* fileName);

// The compositor's calls (dwmapi.dll's DwmIsCompositionEnabled and DwmFlush,
// Windows Vista and later), loaded at run time at the first show so that the
// program still starts where they are missing; null there.
typedef HRESULT(WINAPI* CompositionEnabledCall)(BOOL* enabled);
typedef HRESULT(WINAPI* CompositorFlushCall)();
extern CompositionEnabledCall compositionEnabled;
extern CompositorFlushCall compositorFlush;
