// When the wait timer's tick starts a show.
#pragma once
#include <cstdint>

// True when this tick starts a show: the counter has passed the limit (being
// equal is not enough) and no timed show is running. Otherwise the tick is
// counted; the tick that starts a show is not.
bool WaitRuleTick(int32_t* tickCounter, int32_t waitLimit, int32_t showRunning);
