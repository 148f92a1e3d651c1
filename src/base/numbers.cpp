#include "numbers.h"

#include <cstdint>

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int32_t ParseSettingNumber(const char* text)
{
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Accumulate the magnitude in 64 bits and stop growing it once it is past
    // the 32-bit range, so any number of digits is safe.
    int64_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (magnitude <= int64_t{INT32_MAX} + 1)
            magnitude = magnitude * 10 + (*p - '0');
    }
    int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

void FormatSettingNumber(int32_t value, char* text)
{
    char digits[NUMBER_TEXT_SIZE];
    int count = 0;
    int64_t magnitude = value < 0 ? -int64_t{value} : int64_t{value};
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int at = 0;
    if (value < 0)
        text[at++] = '-';
    while (count > 0)
        text[at++] = digits[--count];
    text[at] = '\0';
}

int32_t WaitLimitFromMinutes(int32_t minutes)
{
    int64_t ticks = int64_t{minutes} * TICKS_PER_MINUTE;
    if (ticks > INT32_MAX)
        return INT32_MAX;
    if (ticks < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(ticks);
}

int32_t MonitorsChoice(int32_t number)
{
    return number == MONITORS_EACH || number == MONITORS_ACROSS ? number : MONITORS_PRIMARY;
}
