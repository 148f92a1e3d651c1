// The monitors a show runs on, the primary one first: its ball is the one heard.
#pragma once
#include <cstdint>

#include "../base/screenbox.h"

// Adds a monitor, in the order Windows lists them, to a list of at most
// `most`: the primary one always takes the first place, moving the others
// down and the last one out when the list is full; any other takes the next
// free place, or none when the list is full.
void AddShowMonitor(ScreenBox* list, int32_t* count, int32_t most, ScreenBox box, bool primary);

// The monitors as Windows lists them now, in that order, at most `most`:
// how many went into the list; none where Windows lists none.
int32_t ListShowMonitors(ScreenBox* list, int32_t most);
