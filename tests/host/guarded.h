// A text buffer of N bytes followed by guard bytes that no call may touch.
#pragma once
#include "app/paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

template <size_t N> struct Guarded {
    char text[N];
    unsigned char guard[32];
    Guarded() { std::memset(this, 0xA5, sizeof *this); }
    // Guards untouched and the text terminated inside its N bytes.
    bool Intact() const
    {
        for (unsigned char b : guard)
            if (b != 0xA5)
                return false;
        return std::memchr(text, '\0', N) != nullptr;
    }
};
