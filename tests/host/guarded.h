// A text buffer of N units followed by guard bytes that no call may touch.
#pragma once
#include "base/paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

template <size_t N, typename Unit = char> struct Guarded {
    Unit text[N];
    unsigned char guard[32];
    Guarded() { std::memset(this, 0xA5, sizeof *this); }
    // Guards untouched and the text terminated inside its N units.
    bool Intact() const
    {
        for (unsigned char b : guard)
            if (b != 0xA5)
                return false;
        for (Unit unit : text)
            if (unit == 0)
                return true;
        return false;
    }
};

// Code page 932's lead bytes, as IsDBCSLeadByte tells them on a Japanese Windows.
inline bool Cp932LeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// A wide text whose units are the bytes of an ASCII text.
inline std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }
