// Show modes, pair codes and the pictures behind them.
#pragma once
#include <cstdint>

// Show modes are the command ids of the picture items of the popup menu.
constexpr int16_t SHOW_EARTH = 10010;
constexpr int16_t SHOW_EARTHAFRICA = 10011;
constexpr int16_t SHOW_JUPITER = 10012;
constexpr int16_t SHOW_MARS = 10013;
constexpr int16_t SHOW_VENUS = 10014;
constexpr int16_t SHOW_SATURN = 10015;
constexpr int16_t SHOW_SUN = 10016;
constexpr int16_t SHOW_DOUBLE = 10017;
constexpr int16_t SHOW_SPHERE = 10018;

// Pair codes: the picture of one ball in Double mode. 10017 is Sphere here.
constexpr int32_t PAIR_EARTHAFRICA = 10011;
constexpr int32_t PAIR_VENUS = 10014;
constexpr int32_t PAIR_SUN = 10016;
constexpr int32_t PAIR_SPHERE = 10017;

constexpr int16_t INITIAL_SHOW_MODE = SHOW_DOUBLE;
constexpr int32_t INITIAL_BOWLNO_1 = PAIR_EARTHAFRICA;
constexpr int32_t INITIAL_BOWLNO_2 = PAIR_VENUS;

// The two radio columns of the picture pair dialog.
constexpr int PATTERN_1 = 1;
constexpr int PATTERN_2 = 2;

// Resource name of a single-picture show mode; nullptr for Double mode,
// whose pictures come from the pair codes.
const char* ShowModePicture(int16_t showMode);

// Resource name for a pair code; every code without a picture of its own shows Sphere.
const char* PairCodePicture(int32_t pairCode);

// Radio id that stands for a pair code in a column. A code so low that the id would
// leave the 32-bit range gives 0, which names no control of the dialog.
int32_t PairCodeRadioId(int32_t pairCode, int pattern);
int32_t RadioIdPairCode(int32_t radioId, int pattern);
