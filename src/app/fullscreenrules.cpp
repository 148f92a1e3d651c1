#include "fullscreenrules.h"

#include <cstdint>

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
