// Catalogue lookups, settings numbers, program paths and the wait rule.
#include "guarded.h"

#include "base/numbers.h"
#include "app/waitrule.h"
#include "catalogue/catalogue.h"
#include "show/sound.h"

#include <climits>
#include <vector>

namespace {

TEST(Catalogue, PictureNamesInTheirExactCase)
{
    const struct { int16_t mode; const char* name; } modes[] = {
        {10010, "earth"}, {10011, "earthafr"}, {10012, "jupiter"}, {10013, "mars"}, {10014, "venus"},
        {10015, "saturn"}, {10016, "sun"}, {10017, nullptr}, {10018, "sphere"}};
    for (size_t i = 0; i < std::size(modes); ++i)
        EXPECT_STREQ(ShowModePicture(modes[i].mode), modes[i].name) << "row " << i;
    const struct { int32_t code; const char* name; } pairs[] = {
        {10010, "earth"}, {10011, "earthafr"}, {10012, "Jupiter"}, {10013, "Mars"}, {10014, "Venus"},
        {10015, "Saturn"}, {10016, "Sun"}, {10017, "Sphere"}, {0, "Sphere"}, {10009, "Sphere"},
        {10018, "Sphere"}, {-10010, "Sphere"}, {INT32_MIN, "Sphere"}, {INT32_MAX, "Sphere"}};
    for (size_t i = 0; i < std::size(pairs); ++i)
        EXPECT_STREQ(PairCodePicture(pairs[i].code), pairs[i].name) << "row " << i;
}

TEST(Catalogue, RadioIdsAndPairCodes)
{
    // id = code - 9910 (pattern 1) or - 9900 (pattern 2); these rows convert both ways.
    const int P1 = PATTERN_1, P2 = PATTERN_2;
    const struct { int32_t code; int pattern; int32_t id; } both[] = {
        {10010, P1, 100}, {10013, P1, 103}, {10017, P1, 107}, {10010, P2, 110}, {10014, P2, 114},
        {10017, P2, 117}, {0, P1, -9910}, {0, P2, -9900}, {INT32_MAX, P1, 2147473737},
        {INT32_MAX, P2, 2147473747}, {INT32_MIN + 9910, P1, INT32_MIN}, {INT32_MIN + 9900, P2, INT32_MIN}};
    for (size_t i = 0; i < std::size(both); ++i) {
        EXPECT_EQ(PairCodeRadioId(both[i].code, both[i].pattern), both[i].id) << "row " << i;
        EXPECT_EQ(RadioIdPairCode(both[i].id, both[i].pattern), both[i].code) << "row " << i;
    }
    // An id below the 32-bit range is 0; a code above it saturates.
    const struct { int32_t code; int pattern; } noId[] = {
        {INT32_MIN, P1}, {INT32_MIN + 9909, P1}, {INT32_MIN, P2}, {INT32_MIN + 9899, P2}};
    for (size_t i = 0; i < std::size(noId); ++i)
        EXPECT_EQ(PairCodeRadioId(noId[i].code, noId[i].pattern), 0) << "row " << i;
    const struct { int32_t id; int pattern; int32_t code; } toCode[] = {
        {INT32_MAX, P1, INT32_MAX}, {INT32_MAX - 9909, P1, INT32_MAX}, {INT32_MAX, P2, INT32_MAX},
        {INT32_MAX - 9899, P2, INT32_MAX}, {INT32_MIN, P1, -2147473738}, {INT32_MIN, P2, -2147473748}};
    for (size_t i = 0; i < std::size(toCode); ++i)
        EXPECT_EQ(RadioIdPairCode(toCode[i].id, toCode[i].pattern), toCode[i].code) << "row " << i;
}

TEST(Numbers, ParseReadsALeadingDecimalNumberAndSaturates)
{
    const struct { std::string text; int32_t value; } rows[] = {
        {"42", 42}, {"   42", 42}, {"\t\t-17", -17}, {" \n\r\v\f3", 3}, {"  +8", 8}, {"+", 0}, {"-", 0},
        {"", 0}, {"   ", 0}, {"abc12", 0}, {"12abc", 12}, {"5 6", 5}, {"12.9", 12}, {"1e5", 1},
        {"00012", 12}, {"-0", 0}, {"+-5", 0}, {"--5", 0}, {"- 5", 0}, {"x-5", 0},
        {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"-2147483647", -2147483647},
        {"-2147483648", INT32_MIN}, {"-2147483649", INT32_MIN}, {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN}, {std::string(300, '9'), INT32_MAX}, {"-" + std::string(300, '9'), INT32_MIN},
        {std::string(300, '0') + "5", 5}, {std::string(20, '0') + "2147483648", INT32_MAX}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(ParseSettingNumber(rows[i].text.c_str()), rows[i].value) << "row " << i;
}

TEST(Numbers, FormatWritesPlainDecimalThatParsesBack)
{
    const struct { int32_t value; const char* text; } rows[] = {
        {0, "0"}, {5, "5"}, {1200, "1200"}, {10011, "10011"}, {-1, "-1"}, {-240, "-240"},
        {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        Guarded<NUMBER_TEXT_SIZE> out;
        FormatSettingNumber(rows[i].value, out.text);
        EXPECT_STREQ(out.text, rows[i].text) << "row " << i;
        EXPECT_TRUE(out.Intact()) << "row " << i;
        EXPECT_EQ(ParseSettingNumber(out.text), rows[i].value) << "row " << i;
    }
}

TEST(Numbers, WaitLimitIsMinutesTimes240Saturated)
{
    // 8947848 * 240 = 2147483520 still fits; 8947849 * 240 = 2147483760 does not.
    const struct { int32_t minutes, ticks; } rows[] = {
        {5, 1200}, {2, 480}, {1, 240}, {0, 0}, {-1, -240}, {-5, -1200}, {8947848, 2147483520},
        {8947849, INT32_MAX}, {-8947848, -2147483520}, {-8947849, INT32_MIN}, {INT32_MAX, INT32_MAX},
        {INT32_MIN, INT32_MIN}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(WaitLimitFromMinutes(rows[i].minutes), rows[i].ticks) << "row " << i;
}

// "C:\" + filler + "\": a directory text of exactly `length` characters.
std::string Dir(size_t length) { return "C:\\" + std::string(length - 4, 'd') + "\\"; }
std::u16string WideDir(size_t length, char16_t filler) { return u"C:\\" + std::u16string(length - 4, filler) + u"\\"; }

TEST(Paths, ProgramDirectoryKeepsTextUpToTheLastSeparator)
{
    const std::string exe = "Hoplette.exe", n255(255, 'n');
    // Code page 932: the second byte of ソ (83 5C), 表 (95 5C), 能 (94 5C), 十 (8F 5C) and 予 (97 5C) is a backslash.
    const std::string so = "\x83\x5C", hyo = "\x95\x5C", nou = "\x94\x5C", juu = "\x8F\x5C", yo = "\x97\x5C";
    const struct { std::string module, directory; } rows[] = {
        {"C:\\dir\\Hoplette.exe", "C:\\dir\\"}, {"Z:\\tmp\\x\\Hoplette.exe", "Z:\\tmp\\x\\"},
        {"C:Hoplette.exe", "C:"}, {"C:\\", "C:\\"}, {"a:b\\c", "a:b\\"}, {"a\\b:c", "a\\b:"},
        {exe, exe}, {"\\" + exe, "\\" + exe}, {":" + exe, ":" + exe}, {"\\\\", "\\\\"}, {"", ""},
        {Dir(248) + exe, Dir(248)}, {Dir(249) + exe, Dir(249)}, {Dir(250) + exe, Dir(250) + "?"},
        {Dir(254) + exe, Dir(254) + "?"}, {Dir(250), Dir(250) + "?"}, {Dir(255) + exe, ""},
        {Dir(300) + exe, ""},
        // Without a separator the text stays whole and unmarked, if it fits at all.
        {n255, n255}, {n255 + "n", ""}, {std::string(600, 'n'), ""},
        // A byte 5C inside a double-byte character is no separator.
        {"Z:\\tmp\\" + so + exe, "Z:\\tmp\\"}, {"C:\\" + hyo + "\\" + nou + juu + yo + exe, "C:\\" + hyo + "\\"},
        {"C:\\d\\" + so + so + so, "C:\\d\\"}, {so + exe, so + exe}, {so + "\\" + exe, so + "\\"},
        {"\x83:" + exe, "\x83:" + exe}, {"C:\\ab\x83", "C:\\"}, {"C:\\ab\x83\\", "C:\\"},
        {"\xE0\\\xFC\\\x80\\x", "\xE0\\\xFC\\\x80\\"}, {"\xA0\\\xDF\\x", "\xA0\\\xDF\\"},
        // A single-byte character that is not ASCII is one byte, whatever follows.
        {"C:\\\xB1\\x", "C:\\\xB1\\"}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        Guarded<PATH_SIZE> out;
        ProgramDirectoryFromModulePath(rows[i].module.c_str(), out.text, Cp932LeadByte);
        ASSERT_TRUE(out.Intact()) << "row " << i;
        EXPECT_EQ(std::string(out.text), rows[i].directory) << "row " << i;
        // The wide form gives the same for the same characters, when they are ASCII.
        if (rows[i].module.find_first_of("\x80\x83\x8F\x94\x95\x97\xA0\xB1\xDF\xE0\xFC") != std::string::npos)
            continue;
        Guarded<PATH_SIZE, WideUnit> wide;
        ProgramDirectoryFromModulePath(Widen(rows[i].module).c_str(), wide.text);
        ASSERT_TRUE(wide.Intact()) << "row " << i;
        EXPECT_TRUE(std::u16string(wide.text) == Widen(rows[i].directory)) << "row " << i;
    }
}

TEST(Paths, WideProgramDirectoryCountsUtf16Units)
{
    const std::u16string exe = u"Hoplette.exe", planet = u"\U0001FA90";  // 🪐: two units
    std::u16string planets123;
    for (int i = 0; i < 123; ++i)
        planets123 += planet;
    const struct { std::u16string module, directory; } rows[] = {
        {u"C:\\한글폴더\\Hoplette.exe", u"C:\\한글폴더\\"}, {u"C:\\" + planet + u"\\" + exe, u"C:\\" + planet + u"\\"},
        {u"Z:\\tmp\\ソ表能十予\\ソ" + exe, u"Z:\\tmp\\ソ表能十予\\"}, {u"C:\\x\\" + planet + planet, u"C:\\x\\"},
        {planet + u"\\" + exe, planet + u"\\"}, {u"\xFF3C\\x", u"\xFF3C\\"},  // a full-width backslash is a letter
        // 250 units mark the directory, however many characters they are.
        {WideDir(249, u'한') + exe, WideDir(249, u'한')}, {WideDir(250, u'한') + exe, WideDir(250, u'한') + u"?"},
        {u"C:\\" + planets123 + u"\\" + exe, u"C:\\" + planets123 + u"\\?"},
        {WideDir(255, u'한') + exe, u""}, {std::u16string(256, u'한'), u""}, {std::u16string(255, u'한'), std::u16string(255, u'한')},
        // 125 Japanese characters are 250 bytes in code page 932 but 125 units: usable here.
        {u"C:\\" + std::u16string(125, u'表') + u"\\" + exe, u"C:\\" + std::u16string(125, u'表') + u"\\"}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        Guarded<PATH_SIZE, WideUnit> out;
        ProgramDirectoryFromModulePath(rows[i].module.c_str(), out.text);
        ASSERT_TRUE(out.Intact()) << "row " << i;
        EXPECT_TRUE(std::u16string(out.text) == rows[i].directory) << "row " << i;
    }
}

TEST(Paths, JoinPathFitsOnlyBelow256Characters)
{
    const std::string a250(250, 'a'), b5(5, 'b');
    const struct { std::string directory, name; bool ok; } rows[] = {
        {"C:\\dir\\", "Hoplette.ini", true}, {"C:\\dir\\", "", true}, {"C:\\dir\\", "sub\\ding.wav", true},
        {a250, b5, true}, {b5, a250, true}, {a250 + "x", b5, false}, {b5, a250 + "x", false},
        {std::string(255, 'a'), "", true}, {std::string(256, 'a'), "", false},
        {"", "Hoplette.ini", false}, {"", "", false}, {std::string(300, 'a'), std::string(300, 'b'), false}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        Guarded<PATH_SIZE> out;
        EXPECT_EQ(JoinPath(rows[i].directory.c_str(), rows[i].name.c_str(), out.text), rows[i].ok) << "row " << i;
        ASSERT_TRUE(out.Intact()) << "row " << i;
        EXPECT_EQ(std::string(out.text), rows[i].ok ? rows[i].directory + rows[i].name : "") << "row " << i;
        // Wide: the same rule in UTF-16 units.
        Guarded<PATH_SIZE, WideUnit> wide;
        const std::u16string directory = Widen(rows[i].directory), name = Widen(rows[i].name);
        EXPECT_EQ(JoinPath(directory.c_str(), name.c_str(), wide.text), rows[i].ok) << "row " << i;
        ASSERT_TRUE(wide.Intact()) << "row " << i;
        EXPECT_TRUE(std::u16string(wide.text) == (rows[i].ok ? directory + name : u"")) << "row " << i;
    }
    Guarded<PATH_SIZE, WideUnit> korean;
    EXPECT_TRUE(JoinPath(u"C:\\한글폴더\\", u"Hoplette.ini", korean.text));
    EXPECT_TRUE(std::u16string(korean.text) == u"C:\\한글폴더\\Hoplette.ini");
}

TEST(Paths, WholeCharactersNeverSplitADoubleByteCharacter)
{
    const struct { std::string text; size_t limit, length; } rows[] = {
        {"12345", 5, 5}, {"123456", 5, 5}, {"", 5, 0}, {"abc", 0, 0}, {"\x83\x5C\x83\x5C\x83\x5C", 5, 4},
        {"\x83\x5C\x83\x5C\x83\x5C", 6, 6}, {"a\x83\x5C", 2, 1}, {"a\x83\x5C", 3, 3}, {"ab\x83", 3, 2},
        {"ab\x83", 2, 2}, {"ab\x83", 9, 2}, {"\xB1\xB2\xB3", 2, 2}, {"\xFC\x40x", 1, 0}, {"\xFD\x40x", 1, 1},
        {std::string(300, 'z'), 255, 255}, {std::string(300, '\x95'), 255, 254}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(WholeCharactersLength(rows[i].text.c_str(), rows[i].limit, Cp932LeadByte), rows[i].length) << "row " << i;
}

std::string Little32Text(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string Chunk(const std::string& id, const std::string& data, bool pad = true)
{
    return id + Little32Text(static_cast<uint32_t>(data.size())) + data + (pad && data.size() % 2 ? std::string(1, '\0') : "");
}
std::string Riff(const std::string& body, int64_t sizeChange = 0)
{
    return "RIFF" + Little32Text(static_cast<uint32_t>(4 + body.size() + sizeChange)) + "WAVE" + body;
}

TEST(Sound, OnlyAWaveImageThePlayerReadsWithinIsTaken)
{
    const std::string fmt = Chunk("fmt ", std::string("\x01\x00\x01\x00\x40\x1F\x00\x00\x40\x1F\x00\x00\x01\x00\x08\x00", 16));
    const std::string data = Chunk("data", "abcd"), list = Chunk("LIST", "xyz");
    const struct { std::string image; bool whole; } rows[] = {
        {Riff(fmt + data), true}, {Riff(fmt + Chunk("data", "abc")), true}, {Riff(fmt + Chunk("data", "abc", false)), true},
        {Riff(list + fmt + list + data + list), true}, {Riff(fmt + data) + "trailing bytes", true},
        {Riff(fmt + Chunk("data", "")), true},
        // The player would look past the end for a missing chunk.
        {Riff(data + fmt), false}, {Riff(fmt), false}, {Riff(data), false}, {Riff(list), false}, {Riff(""), false},
        // Sizes that claim more than there is.
        {Riff(fmt + data, 1), false}, {Riff(fmt + data, -1), false}, {Riff(fmt + "data" + Little32Text(100) + "abcd"), false},
        {Riff(fmt + data, 0xFFFFFFFFLL - 4 - (fmt + data).size()), false},
        {Riff(fmt + "data" + Little32Text(0xFFFFFFFF) + "abcd"), false}, {Riff(fmt + data + "abc"), false},
        // Not RIFF WAVE at all.
        {"", false}, {"RIFF", false}, {Riff(fmt + data).substr(0, 11), false}, {"RIFX" + Riff(fmt + data).substr(4), false},
        {Riff(fmt + data).replace(8, 4, "AVI "), false}, {std::string(5000, '\0'), false}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        // An exact heap copy, so that the sanitizer sees any read past it.
        const std::vector<unsigned char> image(rows[i].image.begin(), rows[i].image.end());
        EXPECT_EQ(SoundImageIsWhole(image.data(), image.size()), rows[i].whole) << "row " << i;
    }
}

TEST(WaitRule, ShowStartsOnTheTickAfterTheCounterPassesTheLimit)
{
    // firstShow 0: none within 5000 ticks. The tick that starts a show is not counted,
    // nor any while the session is locked or detached; a look that found nobody does not stop the count.
    const struct { int32_t limit, running, away; int firstShow; int32_t counterAfter; } rows[] = {
        {1200, 0, 0, 1202, 1201}, {480, 0, 0, 482, 481}, {1, 0, 0, 3, 2}, {0, 0, 0, 2, 1}, {-1, 0, 0, 1, 0},
        {INT32_MIN, 0, 0, 1, 0}, {-1, 1, 0, 0, 5000}, {1200, 1, 0, 0, 5000}, {0, 2, 0, 0, 5000},
        {0, 0, AWAY_LOCKED, 0, 0}, {-1, 0, AWAY_DETACHED, 0, 0}, {0, 1, AWAY_LOCKED, 0, 0},
        {0, 0, AWAY_LOCKED | AWAY_NOT_PRESENT, 0, 0}, {0, 0, AWAY_NOT_PRESENT, 2, 1}};
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
    // What the look finds for each answer (0: none) with no full-screen window, with one, and with
    // one and ShowOverFullScreen=1; 1 (not present) holds the show back even then.
    const int32_t F = FRONT_FREE, B = FRONT_BUSY, A = FRONT_AWAY;
    const struct { int32_t state, plain, fullScreen, showOver; } looks[] = {
        {0, F, B, F}, {1, A, A, A}, {2, F, B, F}, {3, B, B, F}, {4, B, B, F}, {5, F, B, F}, {6, F, B, F}, {7, F, B, F}};
    for (size_t i = 0; i < std::size(looks); ++i)
        EXPECT_TRUE(WaitRuleLook(false, looks[i].state, 0) == looks[i].plain
                    && WaitRuleLook(true, looks[i].state, 0) == looks[i].fullScreen
                    && WaitRuleLook(true, looks[i].state, 1) == looks[i].showOver) << "state " << looks[i].state;
}

} // namespace
