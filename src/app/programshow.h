// The program's show, as the park window's wait rule and the menu's
// commands start it.
#pragma once
#include <windows.h>

#include "../show/show.h"

// Runs a show of the program's settings on the monitors ShowMonitors names,
// as they are now, the other monitors covered black, in plain black topmost
// "static" windows, ended by a key or a left or right press anywhere on the
// desktop and following the desktop when it changes. The park window leaves the topmost band for it when alwaysOnTop
// is 1 and is back in it as soon as the show's windows are gone; afterwards
// the tick counter and the show-running flag are 0, so that the wait before
// the next timed show counts from the end of this one. Counts as ShowRun.
ShowCounts RunProgramShow(HWND park, ShowCounts* counting = nullptr);
