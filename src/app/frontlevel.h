// The integrity level of the program in front against this program's: Windows
// (Vista and later) keeps the input of a program at a higher level, one run
// as administrator, from the hooks of a program at a lower one.
#pragma once
#include <windows.h>

#include <cstdint>

// A LEVEL_ value of waitrule.h for the process with that id.
typedef int32_t (*FrontLevelCall)(DWORD processId);

// Asks Windows: OpenProcess, OpenProcessToken and GetTokenInformation's
// TokenIntegrityLevel, the advapi32 calls looked up at the first question.
// LEVEL_MISSING where Windows has no levels: the calls are missing (98/ME),
// or this program's own token has none (2000, XP).
int32_t ProcessLevelAgainstOwn(DWORD processId);

// What the look in front asks, ProcessLevelAgainstOwn; a test may set its own.
extern FrontLevelCall frontProgramLevel;
