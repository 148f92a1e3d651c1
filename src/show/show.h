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

// Where a ball moves: the size of its monitor in pixels and its pixels per
// inch (0 counts as 96), and whether its edge sound is heard (only one ball's
// is, the primary monitor's). The ball's arithmetic runs on the monitor's
// size in 96-DPI units; its pictures are drawn at the monitor's scale.
struct BallPlace {
    int32_t width, height, dpi;
    bool heard;
};

// One routine for the ball; any other phase does nothing. Measuring needs no place.
void BallAnimation(HWND window, int phase, BallPlace place);

// The ball's area, start, radii and steps for the show mode on a monitor,
// reckoned on its size in 96-DPI units.
void PrepareBallMotionAt(BallPlace place);

// The ball of a running show on a monitor whose size has changed: its area,
// radii, steps and margins those of a show prepared there, its steps keeping
// their directions, and the ball inside its new turning lines.
void FitBallMotionAt(BallPlace place);

// Makes the prepared show's pictures at a monitor's scale, so that no step
// has to; a scale of 100% takes the loaded ones.
void MakePicturesAt(int32_t dpi);

// Releases the pictures a show made for scales other than 100%, at its end.
void ReleaseScaledPictures();

// The most monitors a show runs on; any others are left to the caller.
constexpr int MOST_SHOW_MONITORS = 16;

// One monitor of a show: its rectangle in screen coordinates and its pixels
// per inch (0 counts as 96).
struct ShowMonitor {
    RECT box;
    int32_t dpi;
};

// What differs between the program's show and the screen saver's: where it
// shows, what its windows are, and how it looks at input between frames.
struct ShowRequest {
    ShowMonitor monitors[MOST_SHOW_MONITORS]; // the primary one first: its ball is heard
    int32_t monitorCount;                     // 1 and up; more than MOST_SHOW_MONITORS count as that many
    const char* windowClass;                  // of the show windows
    DWORD extendedStyle;                      // of the show windows
    // One look at the queue between frames: an INPUT_ value.
    int (*lookAtInput)();
    // Whether input that would end the show is waiting, so that a burst of
    // frames stops early; looked at between the frames of one paint.
    bool (*endingInputWaiting)();
    // Whether the show takes the keys and buttons of the whole desktop for
    // its length (low-level hooks), whoever Windows gives the foreground to,
    // and gives the foreground back afterwards.
    bool holdsInput;
    // Whether nobody can see the show now (the display off, the screen
    // locked); null: always seen. Looked at before every paint; it may take
    // the queued messages that tell it. An unseen show paints nothing and
    // sleeps until it is seen again or input ends it.
    bool (*unseen)();
    // Where the show follows the screen (the program's): true when the
    // primary monitor has changed since the last look, with its place now in
    // *primary. Looked at between frames, at most once a refresh. Null: the
    // show keeps its monitors (the saver's ends on a change instead).
    bool (*desktopChanged)(ShowMonitor* primary);
};

// What a show painted, counted by its loop for the benchmark and the tests:
// paints, frames, and paints that drew more than one frame.
struct ShowCounts {
    int32_t paints, frames, paintsOfSeveralFrames;
};

// Runs one show to its end: returns after input that the request's look
// says ends it, with what the show counted. Where counting is not null the
// show counts in *counting, frame by frame, so that a watcher on another
// thread sees the counts grow. The park window, where there is one, leaves
// the topmost layer for the show when alwaysOnTop is 1; without one, nothing
// is taken out of the topmost layer or put back.
ShowCounts ShowRun(HWND park, const ShowRequest& request, ShowCounts* counting = nullptr);

// Whether a show is running: its loop takes sent messages, so a window
// procedure can be called in the middle of one.
bool ShowUnderWay();

// The program's own look between frames: one mouse message, or else one
// keyboard message, removed and never dispatched; and whether a key or a
// left or right press waits.
int LookAtProgramInput();
bool ProgramEndingInputWaiting();

// The clock of the show and the preview: StartClock chooses it and says its
// ticks a second (the performance counter's, or 1000 where Windows has none
// and timeGetTime serves); ClockNow reads it.
int64_t StartClock();
int64_t ClockNow();

// A clock of a test's own, read by ClockNow in place of the counter's (which
// it then stands for: its ticks a second are the counter's); null: none.
typedef int64_t (*ClockReadCall)();
extern ClockReadCall testClock;

// The compositor's calls (dwmapi.dll's DwmIsCompositionEnabled and DwmFlush,
// Windows Vista and later), loaded at run time at the first show so that the
// program still starts where they are missing; null there.
typedef HRESULT(WINAPI* CompositionEnabledCall)(BOOL* enabled);
typedef HRESULT(WINAPI* CompositorFlushCall)();
extern CompositionEnabledCall compositionEnabled;
extern CompositorFlushCall compositorFlush;
