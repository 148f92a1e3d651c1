// The screen saver's rules that need no window: what its command line asks,
// which input ends its show, the show its settings choose, and the scale of
// its preview.
#pragma once
#include <cstdint>

// What Windows asks of Hoplette.scr.
constexpr int SAVER_SETTINGS = 0; // no argument, /c or /c:HWND: the settings dialog
constexpr int SAVER_SHOW = 1;     // /s: the show, full screen
constexpr int SAVER_PREVIEW = 2;  // /p HWND or /p:HWND: the preview inside that window
constexpr int SAVER_NOTHING = 3;  // /a HWND (a password, old Windows only) or a command line it does not know

struct SaverCommand {
    int action;
    uint32_t window; // the window handle given; 0 when none, or when it was no usable number
};

// Reads a command line as Windows passes it (without the program's name):
// a switch letter in either case after "/" or "-", then, for /p, /c and /a,
// a decimal handle after blanks or a colon. A handle that is missing, negative,
// beyond 32 bits or followed by other text gives window 0, and /p then does
// nothing; so does any switch it does not know.
SaverCommand ParseSaverCommand(const char* commandLine);

// Where the pointer was at the first mouse message of the saver's show.
struct PointerAnchor {
    int32_t seen; // 0 until the first mouse message
    int32_t x, y;
};

// Pixels the pointer may move from the anchor without ending the show: the
// first mouse message and small jitter do not count.
constexpr int32_t POINTER_SLACK = 4;

// Whether a message ends the saver's show: any key press (Alt held down too),
// any button press, or a mouse move of more than POINTER_SLACK pixels in either
// direction from where the pointer was at the first mouse message. (x, y) is
// the pointer's screen position at the message; the first mouse message sets
// the anchor.
bool SaverInputEnds(PointerAnchor* anchor, uint32_t message, int32_t x, int32_t y);

// The key of Hoplette.ini that holds the saver's show; the program ignores it.
constexpr char SAVER_SHOW_KEY[] = "SaverShow";

// The show a stored number chooses: a show mode, 10010 to 10018; any other
// number, Double mode.
int16_t SaverShowMode(int32_t stored);

// A length (or position) on an axis of `from` pixels as pixels of an axis of
// `to` pixels, rounded to the nearest; 0 when either axis is not positive.
int32_t ScaleToPreview(int32_t length, int32_t from, int32_t to);
