// Numbers in the settings file, and the wait limit they give.
#include "guarded.h"

#include "base/numbers.h"

#include <climits>

namespace {

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

TEST(Numbers, MonitorsChoiceKeepsOneAndTwoOnly)
{
    const struct { int32_t number, choice; } rows[] = {
        {0, 0}, {1, 1}, {2, 2}, {3, 0}, {-1, 0}, {-2, 0}, {10, 0}, {INT32_MAX, 0}, {INT32_MIN, 0}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(MonitorsChoice(rows[i].number), rows[i].choice) << "row " << i;
}

} // namespace
