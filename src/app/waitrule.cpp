#include "waitrule.h"

#include <cstdint>

bool WaitRuleTick(int32_t* tickCounter, int32_t waitLimit, int32_t showRunning, int32_t away)
{
    if ((away & (AWAY_LOCKED | AWAY_DETACHED)) != 0)
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

bool LooksFullScreen(ScreenBox window, ScreenBox monitor, uint32_t style)
{
    if ((style & CAPTION_STYLE) == CAPTION_STYLE)
        return false;
    if (monitor.right <= monitor.left || monitor.bottom <= monitor.top)
        return false;
    return window.left <= monitor.left && window.top <= monitor.top && window.right >= monitor.right
           && window.bottom >= monitor.bottom;
}

static char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

static bool SameNameAnyCase(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (AsciiLower(*a) != AsciiLower(*b))
            return false;
    return *a == *b;
}

bool IsShellWindowClass(const char* className)
{
    return SameNameAnyCase(className, "Progman") || SameNameAnyCase(className, "WorkerW");
}

bool NotificationStateBusy(int32_t state)
{
    return state == QUNS_D3D_FULL_SCREEN_STATE || state == QUNS_PRESENTATION_STATE;
}

int32_t WaitRuleLook(bool fullScreenWindow, int32_t notificationState, int32_t showOverFullScreen)
{
    if (notificationState == QUNS_NOT_PRESENT_STATE)
        return FRONT_AWAY;
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
