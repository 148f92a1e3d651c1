// Whether the user is busy with a full-screen program, so that a timed show
// waits instead of breaking into a game, a video or a presentation.
#pragma once
#include <windows.h>

// True when the foreground window is another program's captionless window
// over the whole of its monitor, or when Windows (Vista and later) says the
// user is busy or presenting. The desktop, the shell's windows and this
// program's own windows never count.
bool FullScreenProgramInFront();
