// The show: one full-screen run of the bouncing ball.
#pragma once
#include <windows.h>

#include <cstdint>

#include "ball.h"

// What one look at the message queue between frames found.
constexpr int INPUT_NONE = 0;    // nothing waiting
constexpr int INPUT_DROPPED = 1; // a message that does not end the show
constexpr int INPUT_ENDS = 2;

// The most monitors a show runs on; any others are left to the caller.
constexpr int MOST_SHOW_MONITORS = 16;

// The display's aspect values (the relative width and height of a device
// pixel), measured through a window's device context, the screen's where
// the window is null.
void MeasureAspect(HWND window, int32_t* aspectX, int32_t* aspectY);

// The pictures of a show: loaded for its mode and pair codes, with their
// copies at each size they are drawn at, each selected into a memory device
// context of its own at its first draw, kept until they are released, so
// that a draw is one copy. Whoever loads them releases them.
struct ShowPictures {
    const char* names[2]; // resource names; the second only in Double mode
    HBITMAP loaded[2];    // at 100%
    HDC loadedDcs[2];
    struct Copy {
        int32_t width, height;
        HBITMAP pictures[2];
        HDC dcs[2];
    } copies[MOST_SHOW_MONITORS];
    int32_t copyCount;
};
ShowPictures LoadShowPictures(int16_t showMode, int32_t pairCode1, int32_t pairCode2);
// Makes the copies for a place ahead of its first draw; made once a size.
void MakePicturesFor(ShowPictures* pictures, const BallPlace& place);
void ReleaseShowPictures(ShowPictures* pictures);

// Draws a step's picture into a window at the place's scale. A picture that
// failed to load draws nothing: the black stays.
void DrawBall(HWND window, ShowPictures* pictures, const BallStep& step, const BallPlace& place);

// One monitor of a show: its rectangle in screen coordinates and its pixels
// per inch (0 counts as 96).
struct ShowMonitor {
    RECT box;
    int32_t dpi;
};

// One show, as its caller asks for it: where and what it shows, what its
// windows are, and how it looks at input between frames. The caller copies
// its own settings in (the program's, or the saver's).
struct ShowRequest {
    ShowMonitor monitors[MOST_SHOW_MONITORS]; // the primary one first: its ball is heard
    int32_t monitorCount;                     // 1 and up; more than MOST_SHOW_MONITORS count as that many
    int16_t showMode;
    // One field across all the monitors: one ball (in Double mode its mirror
    // image too) that travels from one monitor to the next, sized for the
    // primary; false: a ball of its own on each monitor.
    bool oneField;
    int32_t pairCodes[2];                     // Double mode's left and right pictures
    int32_t speed;                            // length of a frame, in 3600ths of a second
    int32_t aspectX, aspectY;                 // the display's, as MeasureAspect gives them
    const char* windowClass;                  // of the show windows and the covers
    DWORD extendedStyle;                      // of the show windows and the covers
    // Whether every monitor the show does not run on is covered black for
    // the show's length, so that nothing of the desktop is left in view.
    bool coversOthers;
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
    // Where the show follows the screen (the program's): when the desktop
    // has changed since the last look, the number of the show's monitors now
    // (1 to most), with their places in monitors[0] onwards, the primary one
    // first; 0 when nothing changed. Looked at between frames, at most once a
    // refresh; the covers follow too. Null: the show keeps its monitors (the
    // saver's ends on a change instead).
    int32_t (*desktopChanged)(ShowMonitor* monitors, int32_t most);
    // Called as soon as the show's windows are gone, before the foreground
    // is given back; null: nothing.
    void (*windowsGone)();
};

// What a show painted, counted by its loop for the benchmark and the tests:
// paints, frames, and paints that drew more than one frame; and where it
// left the primary monitor's ball.
struct ShowCounts {
    int32_t paints, frames, paintsOfSeveralFrames;
    BallMotion firstBall;
};

// Runs one show to its end: returns after input that the request's look
// says ends it, with what the show counted. Where counting is not null the
// show counts in *counting, frame by frame, so that a watcher on another
// thread sees the counts grow.
ShowCounts ShowRun(const ShowRequest& request, ShowCounts* counting = nullptr);

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
