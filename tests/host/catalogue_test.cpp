// The catalogue's lookups: picture names, radio ids and pair codes.
#include "guarded.h"

#include "catalogue/catalogue.h"

#include <cstdint>

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

} // namespace
