// Catalogue lookups, settings numbers, program paths and the wait rule.
#include "guarded.h"

#include "app/numbers.h"
#include "app/waitrule.h"
#include "catalogue/catalogue.h"

#include <climits>

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

TEST(Paths, ProgramDirectoryKeepsTextUpToTheLastSeparator)
{
    const std::string exe = "Hoplette.exe", n255(255, 'n');
    const struct { std::string module, directory; } rows[] = {
        {"C:\\dir\\Hoplette.exe", "C:\\dir\\"}, {"Z:\\tmp\\x\\Hoplette.exe", "Z:\\tmp\\x\\"},
        {"C:Hoplette.exe", "C:"}, {"C:\\", "C:\\"}, {"a:b\\c", "a:b\\"}, {"a\\b:c", "a\\b:"},
        {exe, exe}, {"\\" + exe, "\\" + exe}, {":" + exe, ":" + exe}, {"\\\\", "\\\\"}, {"", ""},
        {Dir(248) + exe, Dir(248)}, {Dir(249) + exe, Dir(249)}, {Dir(250) + exe, Dir(250) + "?"},
        {Dir(254) + exe, Dir(254) + "?"}, {Dir(250), Dir(250) + "?"}, {Dir(255) + exe, ""},
        {Dir(300) + exe, ""},
        // Without a separator the text stays whole and unmarked, if it fits at all.
        {n255, n255}, {n255 + "n", ""}, {std::string(600, 'n'), ""}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        Guarded<PATH_SIZE> out;
        ProgramDirectoryFromModulePath(rows[i].module.c_str(), out.text);
        ASSERT_TRUE(out.Intact()) << "row " << i;
        EXPECT_EQ(std::string(out.text), rows[i].directory) << "row " << i;
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
    }
}

TEST(WaitRule, ShowStartsOnTheTickAfterTheCounterPassesTheLimit)
{
    // firstShow 0: none within 5000 ticks. The tick that starts a show is not counted.
    const struct { int32_t limit, running; int firstShow; int32_t counterAfter; } rows[] = {
        {1200, 0, 1202, 1201}, {480, 0, 482, 481}, {1, 0, 3, 2}, {0, 0, 2, 1}, {-1, 0, 1, 0},
        {INT32_MIN, 0, 1, 0}, {-1, 1, 0, 5000}, {1200, 1, 0, 5000}, {0, 2, 0, 5000}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        int32_t counter = 0;
        int tick = 1;
        while (tick <= 5000 && !WaitRuleTick(&counter, rows[i].limit, rows[i].running))
            ++tick;
        EXPECT_EQ(tick > 5000 ? 0 : tick, rows[i].firstShow) << "row " << i;
        EXPECT_EQ(counter, rows[i].counterAfter) << "row " << i;
    }
    int32_t counter = INT32_MAX - 3;
    for (int tick = 0; tick < 10; ++tick)
        EXPECT_FALSE(WaitRuleTick(&counter, INT32_MAX, 0)) << "tick " << tick;
    EXPECT_EQ(counter, INT32_MAX);
}

} // namespace
