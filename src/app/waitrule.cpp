#include "waitrule.h"

#include <cstdint>

bool WaitRuleTick(int32_t* tickCounter, int32_t waitLimit, int32_t showRunning)
{
    if (*tickCounter > waitLimit && showRunning == 0)
        return true;
    // The longest wait never shows; the counter must not wrap round into one.
    if (*tickCounter < INT32_MAX)
        ++*tickCounter;
    return false;
}
