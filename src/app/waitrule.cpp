#include "waitrule.h"

#include <cstdint>

bool WaitRuleUnseen(int32_t away)
{
    return (away & (AWAY_LOCKED | AWAY_DETACHED | AWAY_DISPLAY_OFF)) != 0;
}

bool WaitRuleTick(int32_t* tickCounter, int32_t waitLimit, int32_t showRunning, int32_t away)
{
    if (WaitRuleUnseen(away))
        return false;
    if (*tickCounter > waitLimit && showRunning == 0)
        return true;
    // The longest wait never shows; the counter must not wrap round into one.
    if (*tickCounter < INT32_MAX)
        ++*tickCounter;
    return false;
}

void WaitRuleSessionChange(uint32_t change, int32_t* away, int32_t* tickCounter)
{
    switch (change) {
    case SESSION_LOCK:
        *away |= AWAY_LOCKED;
        return;
    case SESSION_CONSOLE_DISCONNECT:
    case SESSION_REMOTE_DISCONNECT:
        *away |= AWAY_DETACHED;
        return;
    case SESSION_UNLOCK:
        *away &= ~(AWAY_LOCKED | AWAY_NOT_PRESENT);
        *tickCounter = 0;
        return;
    case SESSION_CONSOLE_CONNECT:
    case SESSION_REMOTE_CONNECT:
        *away &= ~(AWAY_DETACHED | AWAY_NOT_PRESENT);
        *tickCounter = 0;
        return;
    default:
        return;
    }
}

void WaitRuleDisplayChange(bool on, int32_t* away, int32_t* tickCounter)
{
    if (!on) {
        *away |= AWAY_DISPLAY_OFF;
        return;
    }
    if ((*away & AWAY_DISPLAY_OFF) == 0)
        return;
    *away &= ~AWAY_DISPLAY_OFF;
    *tickCounter = 0;
}

int32_t IntegrityAgainstOwn(bool ownLevelTold, uint32_t ownLevel, bool frontOpened, uint32_t frontLevel)
{
    if (!ownLevelTold)
        return LEVEL_MISSING;
    if (!frontOpened)
        return LEVEL_REFUSED;
    if (frontLevel > ownLevel)
        return LEVEL_HIGHER;
    return frontLevel == ownLevel ? LEVEL_EQUAL : LEVEL_LOWER;
}

int32_t WaitRuleLook(bool fullScreenWindow, int32_t notificationState, int32_t showOverFullScreen,
                     int32_t frontLevel)
{
    if (notificationState == QUNS_NOT_PRESENT_STATE)
        return FRONT_AWAY;
    if (frontLevel == LEVEL_HIGHER || frontLevel == LEVEL_REFUSED)
        return FRONT_BUSY;
    if (showOverFullScreen != 1 && (fullScreenWindow || NotificationStateBusy(notificationState)))
        return FRONT_BUSY;
    return FRONT_FREE;
}

bool WaitRuleAfterLook(int32_t front, int32_t* away, int32_t* tickCounter)
{
    if (front == FRONT_AWAY) {
        *away |= AWAY_NOT_PRESENT;
        return false;
    }
    if ((*away & AWAY_NOT_PRESENT) != 0) {
        *away &= ~AWAY_NOT_PRESENT;
        *tickCounter = 0;
        return false;
    }
    return front == FRONT_FREE;
}
