#include "monitors.h"

void AddShowMonitor(ScreenBox* list, int32_t* count, int32_t most, ScreenBox box, bool primary)
{
    if (most <= 0)
        return;
    if (!primary) {
        if (*count < most)
            list[(*count)++] = box;
        return;
    }
    int32_t last = *count < most ? *count : most - 1;
    for (int32_t i = last; i > 0; --i)
        list[i] = list[i - 1];
    list[0] = box;
    if (*count < most)
        ++*count;
}
