// How numbers are read from and written to the settings file.
#pragma once
#include <cstdint>

// Ticks of the 250 ms wait timer in one minute.
constexpr int32_t TICKS_PER_MINUTE = 240;

// Longest decimal text of a 32-bit number, with its sign and terminating zero.
constexpr int NUMBER_TEXT_SIZE = 12;

// Reads a leading decimal number the way atoi does: leading blanks, one sign,
// digits up to the first other character; no digits gives 0. A number beyond
// the 32-bit range saturates at the nearest limit.
int32_t ParseSettingNumber(const char* text);

// Writes the number as decimal text (as _itoa with radix 10) into a buffer of
// at least NUMBER_TEXT_SIZE bytes.
void FormatSettingNumber(int32_t value, char* text);

// The wait limit in ticks for a number of minutes, saturated so that a huge
// wait stays a long wait instead of wrapping round to a negative one.
int32_t WaitLimitFromMinutes(int32_t minutes);

// Which monitors a show runs on (ShowMonitors, SaverMonitors): the primary
// one with the others covered black, one show on each, or one field across
// them all.
constexpr int32_t MONITORS_PRIMARY = 0;
constexpr int32_t MONITORS_EACH = 1;
constexpr int32_t MONITORS_ACROSS = 2;
constexpr char SHOW_MONITORS_KEY[] = "ShowMonitors";

// The choice a number in the settings file makes: 1 and 2 as they are,
// anything else the primary monitor.
int32_t MonitorsChoice(int32_t number);
