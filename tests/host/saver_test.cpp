// The screen saver's command line, the input that ends its show, the show
// its settings choose and its preview's scale.
#include "saver/saverrules.h"
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

TEST(Saver, CommandLines)
{
    const int SET = SAVER_SETTINGS, SHOW = SAVER_SHOW, PRE = SAVER_PREVIEW, NO = SAVER_NOTHING;
    const struct { std::string line; int action; uint32_t window; bool foreground = false; } rows[] = {
        // What Windows passes.
        {"", SET, 0}, {"/s", SHOW, 0}, {"/S", SHOW, 0}, {"-s", SHOW, 0}, {"-S", SHOW, 0},
        {"/p 1234", PRE, 1234}, {"/P 1234", PRE, 1234}, {"/p:1234", PRE, 1234}, {"-p 1234", PRE, 1234},
        {"/c", SET, 0, true}, {"/C", SET, 0, true}, {"/c:4660", SET, 4660}, {"/c 4660", SET, 4660}, {"-c:7", SET, 7},
        {"/a 1234", NO, 0}, {"/A:1234", NO, 0}, {"/a", NO, 0},
        // Blanks around, and the largest 32-bit handle.
        {"   ", SET, 0}, {"\t/s\t", SHOW, 0}, {"  /p   65538  ", PRE, 65538}, {"/p:  12", PRE, 12},
        {"/p 4294967295", PRE, 4294967295u}, {"/c 0004660", SET, 4660}, {"/s 1234", SHOW, 0},
        {"/s:garbage", SHOW, 0},
        // A preview without a usable handle does nothing; /c without one goes to the
        // foreground window, no argument at all to none.
        {"/p", NO, 0}, {"/p ", NO, 0}, {"/p:", NO, 0}, {"/p 0", NO, 0}, {"/p -5", NO, 0},
        {"/p -4294967295", NO, 0}, {"/p 4294967296", NO, 0}, {"/p 99999999999999999999999", NO, 0},
        {"/p " + std::string(300, '9'), NO, 0}, {"/p 12x", NO, 0}, {"/p 0x1234", NO, 0}, {"/p 12 34", NO, 0},
        {"/p abc", NO, 0}, {"/p +12", NO, 0}, {"/p::12", NO, 0}, {"/c:-5", SET, 0, true}, {"/c:abc", SET, 0, true},
        {"/c 4294967296", SET, 0, true},
        // Switches it does not know.
        {"/x", NO, 0}, {"/", NO, 0}, {"-", NO, 0}, {"s", NO, 0}, {"/save", NO, 0}, {"/pp 12", NO, 0},
        {"//s", NO, 0}, {"/sc", NO, 0}, {"/?", NO, 0}, {"\\s", NO, 0}, {"C:\\Hoplette.scr /s", NO, 0},
        {"/\xff", NO, 0}, {"/\x83\x5c", NO, 0}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        SaverCommand got = ParseSaverCommand(rows[i].line.c_str());
        EXPECT_EQ(got.action, rows[i].action) << "row " << i << " \"" << rows[i].line << "\"";
        EXPECT_EQ(got.window, rows[i].window) << "row " << i << " \"" << rows[i].line << "\"";
        EXPECT_EQ(got.foregroundOwner, rows[i].foreground) << "row " << i << " \"" << rows[i].line << "\"";
    }
}

TEST(Saver, InputThatEndsTheShow)
{
    // Each row runs a sequence of messages at pointer positions on a fresh
    // anchor; `ends` is the index of the first that ends the show, -1 for none.
    struct Input { uint32_t message; int32_t x, y; };
    const uint32_t MOVE = 0x200, LDOWN = 0x201, LUP = 0x202, RDOWN = 0x204, MDOWN = 0x207, MUP = 0x208,
                   KEY = 0x100, KEYUP = 0x101, SYSKEY = 0x104, CHAR = 0x102, WHEEL = 0x20A, TIMER = 0x113,
                   XDOWN = 0x20B, XUP = 0x20C, HWHEEL = 0x20E;
    const struct { std::vector<Input> inputs; int ends; } rows[] = {
        {{{MOVE, 100, 100}, {MOVE, 110, 100}}, 1},                      // 10 px right
        {{{MOVE, 100, 100}, {MOVE, 100, 90}}, 1},                       // 10 px up
        {{{MOVE, 100, 100}, {MOVE, 102, 100}, {MOVE, 98, 102}}, -1},    // 2 px of jitter
        {{{MOVE, 100, 100}, {MOVE, 104, 96}, {MOVE, 96, 104}}, -1},     // 4 px is still jitter
        {{{MOVE, 100, 100}, {MOVE, 104, 104}, {MOVE, 105, 104}}, 2},    // 5 px is a move
        {{{MOVE, 100, 100}, {MOVE, 103, 100}, {MOVE, 106, 100}}, 2},    // measured from the first, not the last
        {{{MOVE, 500, 500}}, -1},                                       // the first message never ends it
        {{{LUP, 0, 0}, {MOVE, 3, 3}, {MOVE, 0, 5}}, 2},                 // any mouse message anchors
        {{{KEY, 0, 0}}, 0}, {{{SYSKEY, 0, 0}}, 0}, {{{LDOWN, 0, 0}}, 0}, {{{RDOWN, 0, 0}}, 0}, {{{MDOWN, 0, 0}}, 0},
        {{{MOVE, 1, 1}, {MDOWN, 1, 1}}, 1},
        {{{KEYUP, 0, 0}, {CHAR, 0, 0}, {TIMER, 900, 900}, {MUP, 0, 0}, {MOVE, 2, 2}, {XUP, 3, 3}}, -1},
        {{{MOVE, 1, 1}, {WHEEL, 1, 1}}, 1}, {{{HWHEEL, 0, 0}}, 0}, {{{XDOWN, 0, 0}}, 0},  // wheels, side buttons
        {{{KEYUP, 0, 0}, {WHEEL, 900, 900}}, 1},
        {{{MOVE, INT32_MIN, INT32_MIN}, {MOVE, INT32_MAX, INT32_MAX}}, 1},  // no overflow at the extremes
        {{{MOVE, INT32_MAX, 0}, {MOVE, INT32_MAX - 4, 4}}, -1},
        {{{MOVE, -3000, 0}, {MOVE, -2990, 0}}, 1},                      // a monitor left of the primary
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        PointerAnchor anchor = {};
        int ended = -1;
        for (size_t k = 0; k < rows[i].inputs.size() && ended < 0; ++k) {
            const Input& in = rows[i].inputs[k];
            if (SaverInputEnds(&anchor, in.message, in.x, in.y))
                ended = static_cast<int>(k);
        }
        EXPECT_EQ(ended, rows[i].ends) << "row " << i;
    }
}

TEST(Saver, MessagesToItsWindows)
{
    const int PASS = SAVER_MESSAGE_PASSES, ENDS = SAVER_MESSAGE_ENDS, REFUSED = SAVER_MESSAGE_REFUSED;
    const uint32_t ACTIVATEAPP = 0x1C, ACTIVATE = 0x06, NCACTIVATE = 0x86, CLOSE = 0x10, DISPLAYCHANGE = 0x7E,
                   SYSCOMMAND = 0x112, PAINT = 0x0F, TIMER = 0x113, SETCURSOR = 0x20, DESTROY = 0x02,
                   POINTERDOWN = 0x246, POINTERUPDATE = 0x245;
    const struct { uint32_t message; uint64_t wParam; int verdict; } rows[] = {
        {ACTIVATEAPP, 0, ENDS}, {ACTIVATEAPP, 1, PASS},  // another program to the front; this one
        {ACTIVATE, 0, PASS}, {ACTIVATE, 1, PASS}, {NCACTIVATE, 0, PASS},  // between its own windows
        {CLOSE, 0, ENDS}, {CLOSE, 12345, ENDS}, {DISPLAYCHANGE, 32, ENDS},
        {SYSCOMMAND, 0xF060, ENDS}, {SYSCOMMAND, 0xF063, ENDS},          // SC_CLOSE, with Windows' low bits
        {SYSCOMMAND, 0xF140, REFUSED}, {SYSCOMMAND, 0xF14F, REFUSED},    // SC_SCREENSAVE
        {SYSCOMMAND, 0xF020, PASS}, {SYSCOMMAND, 0xF170, PASS}, {SYSCOMMAND, 0, PASS},  // minimize, monitor power
        {SYSCOMMAND, 0x1F060, ENDS}, {SYSCOMMAND, UINT64_MAX, PASS},  // read as DefWindowProc reads it
        {PAINT, 0, PASS}, {TIMER, 1, PASS}, {SETCURSOR, 0, PASS}, {DESTROY, 0, PASS}, {0, 0, PASS},
        {UINT32_MAX, UINT64_MAX, PASS}, {0x10010, 0, PASS}, {0x1001C, 0, PASS},
        // WM_POINTERDOWN: a finger, a pen's tip with its barrel button (flags in
        // wParam's upper word, 0x4 in contact); not in contact; a pen hovering.
        {POINTERDOWN, 0x20160001, ENDS}, {POINTERDOWN, 0x00260002, ENDS}, {POINTERDOWN, 0x00020001, PASS},
        {POINTERUPDATE, 0x00020002, PASS}, {POINTERUPDATE, 0x00160001, PASS}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(SaverWindowMessage(rows[i].message, rows[i].wParam), rows[i].verdict) << "row " << i;
}

TEST(Saver, ShowChosenByTheStoredNumber)
{
    const struct { int32_t stored; int16_t mode; } rows[] = {
        {10010, SHOW_EARTH}, {10011, SHOW_EARTHAFRICA}, {10012, SHOW_JUPITER}, {10013, SHOW_MARS},
        {10014, SHOW_VENUS}, {10015, SHOW_SATURN}, {10016, SHOW_SUN}, {10017, SHOW_DOUBLE}, {10018, SHOW_SPHERE},
        {0, SHOW_DOUBLE}, {10009, SHOW_DOUBLE}, {10019, SHOW_DOUBLE}, {-10010, SHOW_DOUBLE},
        {10010 + 65536, SHOW_DOUBLE}, {INT32_MAX, SHOW_DOUBLE}, {INT32_MIN, SHOW_DOUBLE}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(SaverShowMode(rows[i].stored), rows[i].mode) << "row " << i;
}

} // namespace
