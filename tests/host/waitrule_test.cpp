// When a tick starts a show: the wait, the user away, and what is in front.
#include "guarded.h"

#include "app/waitrule.h"

#include <climits>

namespace {

TEST(WaitRule, ShowStartsOnTheTickAfterTheCounterPassesTheLimit)
{
    // firstShow 0: none within 5000 ticks. The tick that starts a show is not counted,
    // nor any while the session is locked or detached; a look that found nobody does not stop the count.
    const struct { int32_t limit, running, away; int firstShow; int32_t counterAfter; } rows[] = {
        {1200, 0, 0, 1202, 1201}, {480, 0, 0, 482, 481}, {1, 0, 0, 3, 2}, {0, 0, 0, 2, 1}, {-1, 0, 0, 1, 0},
        {INT32_MIN, 0, 0, 1, 0}, {-1, 1, 0, 0, 5000}, {1200, 1, 0, 0, 5000}, {0, 2, 0, 0, 5000},
        {0, 0, AWAY_LOCKED, 0, 0}, {-1, 0, AWAY_DETACHED, 0, 0}, {0, 1, AWAY_LOCKED, 0, 0},
        {0, 0, AWAY_LOCKED | AWAY_NOT_PRESENT, 0, 0}, {0, 0, AWAY_NOT_PRESENT, 2, 1}, {0, 0, AWAY_DISPLAY_OFF, 0, 0}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        int32_t counter = 0;
        int tick = 1;
        while (tick <= 5000 && !WaitRuleTick(&counter, rows[i].limit, rows[i].running, rows[i].away))
            ++tick;
        EXPECT_EQ(tick > 5000 ? 0 : tick, rows[i].firstShow) << "row " << i;
        EXPECT_EQ(counter, rows[i].counterAfter) << "row " << i;
    }
    int32_t counter = INT32_MAX - 3;
    for (int tick = 0; tick < 10; ++tick)
        EXPECT_FALSE(WaitRuleTick(&counter, INT32_MAX, 0, 0)) << "tick " << tick;
    EXPECT_EQ(counter, INT32_MAX);
}

TEST(WaitRule, ALockOrAnAbsentUserHoldsTheShowAndTheReturnStartsTheWaitAgain)
{
    const int32_t L = AWAY_LOCKED, D = AWAY_DETACHED, N = AWAY_NOT_PRESENT;
    // Session changes: 7 lock, 8 unlock, 2 and 4 disconnections, 1 and 3 connections; 5, 6, 9 and 0 do nothing.
    const struct { int32_t away; uint32_t change; int32_t awayAfter, counterAfter; } rows[] = {
        {0, 7, L, 50}, {N, 7, L | N, 50}, {L, 8, 0, 0}, {0, 8, 0, 0}, {N, 8, 0, 0}, {L | D, 8, D, 0}, {0, 2, D, 50},
        {0, 4, D, 50}, {D, 1, 0, 0}, {D | N, 3, 0, 0}, {L | D, 1, L, 0}, {L, 5, L, 50}, {0, 6, 0, 50},
        {D, 9, D, 50}, {0, 0, 0, 50}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        int32_t away = rows[i].away, counter = 50;
        WaitRuleSessionChange(rows[i].change, &away, &counter);
        EXPECT_TRUE(away == rows[i].awayAfter && counter == rows[i].counterAfter) << "row " << i;
    }
    // The display: off sets its bit; on clears it and starts the wait again, only after an off.
    const int32_t O = AWAY_DISPLAY_OFF;
    const struct { int32_t away; bool on; int32_t awayAfter, counterAfter; } displays[] = {
        {0, false, O, 50}, {L, false, L | O, 50}, {O, true, 0, 0}, {L | O, true, L, 0}, {0, true, 0, 50},
        {L, true, L, 50}};
    for (size_t i = 0; i < std::size(displays); ++i) {
        int32_t away = displays[i].away, counter = 50;
        WaitRuleDisplayChange(displays[i].on, &away, &counter);
        EXPECT_TRUE(away == displays[i].awayAfter && counter == displays[i].counterAfter) << "display " << i;
    }
    // After a look: the first that finds the user back after one that found nobody starts the wait again.
    const struct { int32_t front, away; bool starts; int32_t awayAfter, counterAfter; } looks[] = {
        {FRONT_FREE, 0, true, 0, 7}, {FRONT_BUSY, 0, false, 0, 7}, {FRONT_AWAY, 0, false, N, 7},
        {FRONT_AWAY, N, false, N, 7}, {FRONT_FREE, N, false, 0, 0}, {FRONT_BUSY, N, false, 0, 0}};
    for (size_t i = 0; i < std::size(looks); ++i) {
        int32_t away = looks[i].away, counter = 7;
        EXPECT_EQ(WaitRuleAfterLook(looks[i].front, &away, &counter), looks[i].starts) << "look " << i;
        EXPECT_TRUE(away == looks[i].awayAfter && counter == looks[i].counterAfter) << "look " << i;
    }
}

TEST(WaitRule, AFullScreenProgramIsCaptionlessOverItsWholeMonitor)
{
    const ScreenBox primary = {0, 0, 1024, 768}, left = {-1280, -200, 0, 824}, none = {0, 0, 0, 0};
    const uint32_t POPUP = 0x80000000, BORDER = 0x00800000, DLGFRAME = 0x00400000, CAPTION = 0x00C00000,
                   OVERLAPPEDWINDOW = 0x00CF0000;
    const struct { ScreenBox window, monitor; uint32_t style; bool fullScreen; } rows[] = {
        {primary, primary, POPUP, true}, {primary, primary, 0, true}, {primary, primary, POPUP | BORDER, true},
        {primary, primary, DLGFRAME, true}, {primary, primary, CAPTION, false}, {primary, primary, POPUP | CAPTION, false},
        // One pixel short on each side.
        {{1, 0, 1024, 768}, primary, POPUP, false}, {{0, 1, 1024, 768}, primary, POPUP, false},
        {{0, 0, 1023, 768}, primary, POPUP, false}, {{0, 0, 1024, 767}, primary, POPUP, false},
        // Larger than its monitor: a captionless one covers it, a maximized captioned one does not count.
        {{-8, -8, 1032, 776}, primary, POPUP, true}, {{-8, -8, 1032, 776}, primary, OVERLAPPEDWINDOW, false},
        {{-1280, -200, 1024, 824}, primary, POPUP, true},
        // A secondary monitor left of and above the primary one.
        {left, left, POPUP, true}, {left, left, CAPTION, false}, {{-1279, -200, 0, 824}, left, POPUP, false},
        {{-1280, -199, 0, 824}, left, POPUP, false}, {{-1280, -200, -1, 824}, left, POPUP, false},
        {{-1280, -200, 0, 823}, left, POPUP, false}, {primary, left, POPUP, false}, {left, primary, POPUP, false},
        // No monitor to cover.
        {none, none, POPUP, false}, {primary, none, POPUP, false}, {primary, {10, 10, 5, 20}, POPUP, false}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(LooksFullScreen(rows[i].window, rows[i].monitor, rows[i].style), rows[i].fullScreen) << "row " << i;

    const struct { const char* name; bool shell; } classes[] = {
        {"Progman", true}, {"PROGMAN", true}, {"WorkerW", true}, {"workerw", true}, {"Worker", false},
        {"WorkerWW", false}, {"Progman ", false}, {"", false}, {"ParkClass", false}, {"#32769", false}};
    for (size_t i = 0; i < std::size(classes); ++i)
        EXPECT_EQ(IsShellWindowClass(classes[i].name), classes[i].shell) << "row " << i;
    // Windows' answers: 3 Direct3D full screen, 4 presentation; 2 (busy) alone, 1 and 5 to 7 are not busy.
    for (int32_t state = -1; state <= 8; ++state)
        EXPECT_EQ(NotificationStateBusy(state), state == 3 || state == 4) << "state " << state;
    // What the look finds for each answer (0: none) and the front program's level, with no full-screen
    // window, with one, and with one and ShowOverFullScreen=1; 1 (not present) holds the show back even
    // then, and so does a program above this one or one that cannot be asked, whose keys the show cannot take.
    const int32_t F = FRONT_FREE, B = FRONT_BUSY, A = FRONT_AWAY;
    const int32_t M = LEVEL_MISSING, LO = LEVEL_LOWER, EQ = LEVEL_EQUAL, HI = LEVEL_HIGHER, RE = LEVEL_REFUSED;
    const struct { int32_t state, level, plain, fullScreen, showOver; } looks[] = {
        {0, M, F, B, F}, {1, M, A, A, A}, {2, M, F, B, F}, {3, M, B, B, F}, {4, M, B, B, F}, {5, M, F, B, F},
        {6, M, F, B, F}, {7, M, F, B, F}, {0, LO, F, B, F}, {0, EQ, F, B, F}, {0, HI, B, B, B}, {0, RE, B, B, B},
        {5, HI, B, B, B}, {5, RE, B, B, B}, {3, EQ, B, B, F}, {3, HI, B, B, B}, {1, HI, A, A, A}, {1, RE, A, A, A}};
    for (size_t i = 0; i < std::size(looks); ++i)
        EXPECT_TRUE(WaitRuleLook(false, looks[i].state, 0, looks[i].level) == looks[i].plain
                    && WaitRuleLook(true, looks[i].state, 0, looks[i].level) == looks[i].fullScreen
                    && WaitRuleLook(true, looks[i].state, 1, looks[i].level) == looks[i].showOver) << "look " << i;
}

TEST(WaitRule, TheFrontProgramsLevelAgainstThisOnes)
{
    // Levels as Windows gives them: 0x1000 low, 0x2000 medium, 0x2100 medium plus, 0x3000 high (administrator),
    // 0x4000 system. Where this program's level is not told (before Vista) nothing else counts.
    const uint32_t LOW = 0x1000, MEDIUM = 0x2000, HIGH = 0x3000;
    const struct { bool ownTold; uint32_t own; bool frontOpened; uint32_t front; int32_t level; } rows[] = {
        {true, MEDIUM, true, LOW, LEVEL_LOWER}, {true, MEDIUM, true, MEDIUM, LEVEL_EQUAL},
        {true, MEDIUM, true, 0x2100, LEVEL_HIGHER}, {true, MEDIUM, true, HIGH, LEVEL_HIGHER},
        {true, MEDIUM, true, 0x4000, LEVEL_HIGHER}, {true, HIGH, true, HIGH, LEVEL_EQUAL},
        {true, HIGH, true, MEDIUM, LEVEL_LOWER}, {true, LOW, true, MEDIUM, LEVEL_HIGHER},
        {true, 0, true, 0, LEVEL_EQUAL},
        {true, MEDIUM, false, 0, LEVEL_REFUSED}, {true, HIGH, false, 0, LEVEL_REFUSED},
        {false, 0, true, HIGH, LEVEL_MISSING}, {false, 0, false, 0, LEVEL_MISSING}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(IntegrityAgainstOwn(rows[i].ownTold, rows[i].own, rows[i].frontOpened, rows[i].front), rows[i].level)
            << "row " << i;
}

} // namespace
