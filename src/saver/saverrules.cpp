#include "saverrules.h"

#include <cstdint>

#include "../base/messages.h"
#include "../catalogue/catalogue.h"

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

static const char* SkipBlanks(const char* p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

// The handle after a switch: blanks or a colon, then decimal digits, then
// nothing but blanks. 0 for anything else.
static uint32_t ReadHandle(const char* p)
{
    if (*p == ':')
        ++p;
    p = SkipBlanks(p);
    uint64_t value = 0;
    const char* digits = p;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + static_cast<uint64_t>(*p - '0');
        if (value > UINT32_MAX)
            return 0;
    }
    if (p == digits || *SkipBlanks(p) != '\0')
        return 0;
    return static_cast<uint32_t>(value);
}

SaverCommand ParseSaverCommand(const char* commandLine)
{
    const char* p = SkipBlanks(commandLine);
    if (*p == '\0')
        return {SAVER_SETTINGS, 0, false};
    if (*p != '/' && *p != '-')
        return {SAVER_NOTHING, 0, false};
    char letter = p[1];
    // "/s" but not "/save": the letter stands alone.
    const char* rest = letter != '\0' ? p + 2 : p + 1;
    if (*rest != '\0' && *rest != ':' && !IsBlank(*rest))
        return {SAVER_NOTHING, 0, false};
    uint32_t window = ReadHandle(rest);
    switch (letter) {
    case 's':
    case 'S':
        return {SAVER_SHOW, 0, false};
    case 'p':
    case 'P':
        return window != 0 ? SaverCommand{SAVER_PREVIEW, window, false} : SaverCommand{SAVER_NOTHING, 0, false};
    case 'c':
    case 'C':
        return {SAVER_SETTINGS, window, window == 0};
    default:
        return {SAVER_NOTHING, 0, false};
    }
}

static int32_t Distance(int32_t a, int32_t b)
{
    int64_t d = int64_t{a} - b;
    return d < 0 ? (d < -INT32_MAX ? INT32_MAX : static_cast<int32_t>(-d))
                 : (d > INT32_MAX ? INT32_MAX : static_cast<int32_t>(d));
}

bool SaverInputEnds(PointerAnchor* anchor, uint32_t message, int32_t x, int32_t y)
{
    switch (message) {
    case MESSAGE_KEYDOWN:
    case MESSAGE_SYSKEYDOWN:
    case MESSAGE_LBUTTONDOWN:
    case MESSAGE_RBUTTONDOWN:
    case MESSAGE_MBUTTONDOWN:
    case MESSAGE_MOUSEWHEEL:
    case MESSAGE_XBUTTONDOWN:
    case MESSAGE_MOUSEHWHEEL:
        return true;
    default:
        break;
    }
    // Only mouse messages move the pointer.
    if (message < SAVER_FIRST_MOUSE_MESSAGE || message > SAVER_LAST_MOUSE_MESSAGE)
        return false;
    if (anchor->seen == 0) {
        *anchor = {1, x, y};
        return false;
    }
    return message == MESSAGE_MOUSEMOVE
        && (Distance(x, anchor->x) > POINTER_SLACK || Distance(y, anchor->y) > POINTER_SLACK);
}

int SaverWindowMessage(uint32_t message, uint64_t wParam)
{
    // The low four bits of a system command are Windows' own.
    uint64_t command = wParam & 0xFFF0;
    switch (message) {
    case MESSAGE_ACTIVATEAPP:
        return wParam == 0 ? SAVER_MESSAGE_ENDS : SAVER_MESSAGE_PASSES;
    case MESSAGE_CLOSE:
    case MESSAGE_DISPLAYCHANGE:
        return SAVER_MESSAGE_ENDS;
    // A finger or a pen's tip on the show: DefWindowProc may make a click of
    // it only on some systems (Wine's makes none), so it ends the show here.
    case MESSAGE_POINTERDOWN:
        return PointerInContact(wParam) ? SAVER_MESSAGE_ENDS : SAVER_MESSAGE_PASSES;
    case MESSAGE_SYSCOMMAND:
        return command == COMMAND_CLOSE        ? SAVER_MESSAGE_ENDS
             : command == COMMAND_SCREENSAVE ? SAVER_MESSAGE_REFUSED
                                             : SAVER_MESSAGE_PASSES;
    default:
        return SAVER_MESSAGE_PASSES;
    }
}

int16_t SaverShowMode(int32_t stored)
{
    if (stored >= SHOW_EARTH && stored <= SHOW_SPHERE)
        return static_cast<int16_t>(stored);
    return SHOW_DOUBLE;
}
