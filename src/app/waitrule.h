// When the wait timer's tick starts a show.
#pragma once
#include <cstdint>

#include "fullscreenrules.h"

// Why no timed show may come now: any bit set means the user is away.
constexpr int32_t AWAY_LOCKED = 1;      // the session's screen is locked
constexpr int32_t AWAY_DETACHED = 2;    // the session has left the console (another
                                        // user's is there) or its remote connection
constexpr int32_t AWAY_NOT_PRESENT = 4; // the last look found the user not present
constexpr int32_t AWAY_DISPLAY_OFF = 8; // Windows has turned the display off

// Whether nobody can see the screen: locked, detached or the display off. A
// running show then paints nothing, and no timed show comes.
bool WaitRuleUnseen(int32_t away);

// True when the wait has passed at this tick: the counter has passed the
// limit (being equal is not enough) and no timed show is running; the caller
// then looks at what is in front. Otherwise the tick is counted; a tick that
// finds the wait passed is not. While nobody can see the screen a tick does
// nothing: the wait starts again when the user comes back.
bool WaitRuleTick(int32_t* tickCounter, int32_t waitLimit, int32_t showRunning, int32_t away);

// WM_WTSSESSION_CHANGE's changes that count.
constexpr uint32_t SESSION_CONSOLE_CONNECT = 1;
constexpr uint32_t SESSION_CONSOLE_DISCONNECT = 2;
constexpr uint32_t SESSION_REMOTE_CONNECT = 3;
constexpr uint32_t SESSION_REMOTE_DISCONNECT = 4;
constexpr uint32_t SESSION_LOCK = 7;
constexpr uint32_t SESSION_UNLOCK = 8;

// A session change: a lock or a disconnection sets its away bit. The unlock
// or a connection clears it, and the not-present bit too, and the wait
// starts again from nothing: a user who has just come back wants no show at
// once. Other changes (log-on, log-off, remote control) change nothing.
void WaitRuleSessionChange(uint32_t change, int32_t* away, int32_t* tickCounter);

// The display turned off, or on (dimmed counts as on): coming on after it
// was off starts the wait again from nothing, as an unlock does.
void WaitRuleDisplayChange(bool on, int32_t* away, int32_t* tickCounter);

// What a look at the front found, once the wait has passed.
constexpr int32_t FRONT_FREE = 0; // the show may start
constexpr int32_t FRONT_BUSY = 1; // a full-screen program, a Direct3D game or a presentation
constexpr int32_t FRONT_AWAY = 2; // the user is not present

// The program in front's integrity level against this program's. Windows
// keeps the input of a program at a higher level from this program's hooks,
// so a show over it would let every key go on, unseen, into that program.
constexpr int32_t LEVEL_MISSING = 0; // not asked: Windows has no levels (98/ME, 2000, XP), or the front
                                     // is this program's own window, the desktop or the shell
constexpr int32_t LEVEL_LOWER = 1;
constexpr int32_t LEVEL_EQUAL = 2;
constexpr int32_t LEVEL_HIGHER = 3;
constexpr int32_t LEVEL_REFUSED = 4; // its process or token cannot be opened: as an elevated program's

// What the answers tell: ownLevelTold is false where this program's token
// has no level (or the calls are missing), frontOpened false where the
// front program's process or token, or its level, cannot be had. The levels
// are the last sub-authorities of the integrity SIDs (0x2000 medium, 0x3000 high).
int32_t IntegrityAgainstOwn(bool ownLevelTold, uint32_t ownLevel, bool frontOpened, uint32_t frontLevel);

// The look's answer from whether a full-screen window is in front, the
// notification state (0 where there is none) and the front's LEVEL_.
// ShowOverFullScreen=1 lets the show over anything full screen, but not
// past an absent user, nor over a program whose keys the show cannot take.
int32_t WaitRuleLook(bool fullScreenWindow, int32_t notificationState, int32_t showOverFullScreen,
                     int32_t frontLevel);

// True when the show starts after a look. Otherwise the counter stays past
// the limit, so the look comes again at the next tick; the first look that
// finds the user back after one that found them away starts the wait again.
bool WaitRuleAfterLook(int32_t front, int32_t* away, int32_t* tickCounter);
