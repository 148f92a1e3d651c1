// The show: one full-screen run of the bouncing ball.
#pragma once
#include <windows.h>

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
