// The screen saver's rules that need no window: what its command line asks,
// which input and which messages end its show, the show its settings choose,
// and the scale of its preview.
#pragma once
#include <cstdint>

#include "../base/messages.h"

// What Windows asks of Hoplette.scr.
constexpr int SAVER_SETTINGS = 0; // no argument, /c or /c:HWND: the settings dialog
constexpr int SAVER_SHOW = 1;     // /s: the show, full screen
constexpr int SAVER_PREVIEW = 2;  // /p HWND or /p:HWND: the preview inside that window
constexpr int SAVER_NOTHING = 3;  // /a HWND (a password, old Windows only) or a command line it does not know

struct SaverCommand {
    int action;
    uint32_t window; // the window handle given; 0 when none, or when it was no usable number
    bool foregroundOwner; // /c without a usable handle: the settings belong to the foreground window
};

// Reads a command line as Windows passes it (without the program's name):
// a switch letter in either case after "/" or "-", then, for /p, /c and /a,
// a decimal handle after blanks or a colon. A handle that is missing, negative,
// beyond 32 bits or followed by other text gives window 0, and /p then does
// nothing; so does any switch it does not know. A bare /c opens the settings
// over the foreground window; no argument at all, over no window.
SaverCommand ParseSaverCommand(const char* commandLine);

// Where the pointer was at the first mouse message of the saver's show.
struct PointerAnchor {
    int32_t seen; // 0 until the first mouse message
    int32_t x, y;
};

// The mouse messages the saver's show looks at, WM_MOUSEMOVE to
// WM_MOUSEHWHEEL: the side buttons and the wheels too, whatever Windows
// version the headers were set for.
constexpr uint32_t SAVER_FIRST_MOUSE_MESSAGE = MESSAGE_MOUSEMOVE;
constexpr uint32_t SAVER_LAST_MOUSE_MESSAGE = MESSAGE_MOUSEHWHEEL;

// Pixels the pointer may move from the anchor without ending the show: the
// first mouse message and small jitter do not count.
constexpr int32_t POINTER_SLACK = 4;

// Whether a message ends the saver's show: any key press (Alt held down too),
// any button press (the side buttons too), a turn of either wheel, or a mouse
// move of more than POINTER_SLACK pixels in either direction from where the
// pointer was at the first mouse message. (x, y) is the pointer's screen
// position at the message; the first mouse message sets the anchor.
bool SaverInputEnds(PointerAnchor* anchor, uint32_t message, int32_t x, int32_t y);

// What the saver's window procedure does with a message other than input.
constexpr int SAVER_MESSAGE_PASSES = 0;  // to DefWindowProcA
constexpr int SAVER_MESSAGE_ENDS = 1;    // the show ends
constexpr int SAVER_MESSAGE_REFUSED = 2; // answered 0, not passed on

// Another program taking the foreground (WM_ACTIVATEAPP with FALSE), WM_CLOSE,
// SC_CLOSE, a display change and a pointer press in contact (a finger, a
// pen's tip: WM_POINTERDOWN, Windows 8 and later) end the show; SC_SCREENSAVE is refused, so
// that Windows starts no second saver over it. Not WM_ACTIVATE: the saver's
// own windows take activation from each other as they appear.
int SaverWindowMessage(uint32_t message, uint64_t wParam);

// The class of the saver's show windows and of the covers on other monitors.
constexpr char SAVER_WINDOW_CLASS[] = "HopletteSaver";

// The keys of Hoplette.ini that hold the saver's show and whether it runs on
// every monitor (1) or on the primary one, the others black (anything else);
// the program ignores both.
constexpr char SAVER_SHOW_KEY[] = "SaverShow";
constexpr char SAVER_MONITORS_KEY[] = "SaverMonitors";

// The show a stored number chooses: a show mode, 10010 to 10018; any other
// number, Double mode.
int16_t SaverShowMode(int32_t stored);
