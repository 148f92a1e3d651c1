#include "catalogue.h"

#include <cstdint>

const char* ShowModePicture(int16_t showMode)
{
    switch (showMode) {
    case SHOW_EARTH: return "earth";
    case SHOW_EARTHAFRICA: return "earthafr";
    case SHOW_JUPITER: return "jupiter";
    case SHOW_MARS: return "mars";
    case SHOW_VENUS: return "venus";
    case SHOW_SATURN: return "saturn";
    case SHOW_SUN: return "sun";
    case SHOW_SPHERE: return "sphere";
    default: return nullptr;
    }
}

const char* PairCodePicture(int32_t pairCode)
{
    switch (pairCode) {
    case 10010: return "earth";
    case 10011: return "earthafr";
    case 10012: return "Jupiter";
    case 10013: return "Mars";
    case 10014: return "Venus";
    case 10015: return "Saturn";
    case 10016: return "Sun";
    default: return "Sphere";
    }
}

static int32_t PatternOffset(int pattern)
{
    return pattern == PATTERN_1 ? 9910 : 9900;
}

int32_t PairCodeRadioId(int32_t pairCode, int pattern)
{
    int64_t id = int64_t{pairCode} - PatternOffset(pattern);
    if (id < INT32_MIN)
        return 0;
    return static_cast<int32_t>(id);
}

int32_t RadioIdPairCode(int32_t radioId, int pattern)
{
    int64_t code = int64_t{radioId} + PatternOffset(pattern);
    if (code > INT32_MAX)
        return INT32_MAX;
    return static_cast<int32_t>(code);
}
