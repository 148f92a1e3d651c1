#include "sound.h"

#include <cstdint>
#include <cstring>

static uint64_t Little32(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint64_t>(bytes[3]) << 24;
}

bool SoundImageIsWhole(const unsigned char* bytes, size_t size)
{
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return false;
    const uint64_t end = 8 + Little32(bytes + 4);
    if (end > size)
        return false;
    // Each chunk: an 8-byte header, its data, and a pad byte after odd data
    // (the last one's pad may be missing).
    bool format = false, data = false;
    uint64_t at = 12;
    while (at + 8 <= end) {
        const uint64_t length = Little32(bytes + at + 4);
        if (at + 8 + length > end)
            return false;
        if (std::memcmp(bytes + at, "fmt ", 4) == 0)
            format = true;
        else if (format && std::memcmp(bytes + at, "data", 4) == 0)
            data = true;
        at += 8 + length + (length & 1);
    }
    // No bytes left over that are too few for a chunk header.
    return format && data && at >= end;
}
