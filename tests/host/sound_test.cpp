// Which sound images the player may be given from memory.
#include "guarded.h"

#include "show/sound.h"

#include <vector>

namespace {

std::string Little32Text(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string Chunk(const std::string& id, const std::string& data, bool pad = true)
{
    return id + Little32Text(static_cast<uint32_t>(data.size())) + data + (pad && data.size() % 2 ? std::string(1, '\0') : "");
}
std::string Riff(const std::string& body, int64_t sizeChange = 0)
{
    return "RIFF" + Little32Text(static_cast<uint32_t>(4 + body.size() + sizeChange)) + "WAVE" + body;
}

TEST(Sound, OnlyAWaveImageThePlayerReadsWithinIsTaken)
{
    const std::string fmt = Chunk("fmt ", std::string("\x01\x00\x01\x00\x40\x1F\x00\x00\x40\x1F\x00\x00\x01\x00\x08\x00", 16));
    const std::string data = Chunk("data", "abcd"), list = Chunk("LIST", "xyz");
    const struct { std::string image; bool whole; } rows[] = {
        {Riff(fmt + data), true}, {Riff(fmt + Chunk("data", "abc")), true}, {Riff(fmt + Chunk("data", "abc", false)), true},
        {Riff(list + fmt + list + data + list), true}, {Riff(fmt + data) + "trailing bytes", true},
        {Riff(fmt + Chunk("data", "")), true},
        // The player would look past the end for a missing chunk.
        {Riff(data + fmt), false}, {Riff(fmt), false}, {Riff(data), false}, {Riff(list), false}, {Riff(""), false},
        // Sizes that claim more than there is.
        {Riff(fmt + data, 1), false}, {Riff(fmt + data, -1), false}, {Riff(fmt + "data" + Little32Text(100) + "abcd"), false},
        {Riff(fmt + data, 0xFFFFFFFFLL - 4 - (fmt + data).size()), false},
        {Riff(fmt + "data" + Little32Text(0xFFFFFFFF) + "abcd"), false}, {Riff(fmt + data + "abc"), false},
        // Not RIFF WAVE at all.
        {"", false}, {"RIFF", false}, {Riff(fmt + data).substr(0, 11), false}, {"RIFX" + Riff(fmt + data).substr(4), false},
        {Riff(fmt + data).replace(8, 4, "AVI "), false}, {std::string(5000, '\0'), false}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        // An exact heap copy, so that the sanitizer sees any read past it.
        const std::vector<unsigned char> image(rows[i].image.begin(), rows[i].image.end());
        EXPECT_EQ(SoundImageIsWhole(image.data(), image.size()), rows[i].whole) << "row " << i;
    }
}

} // namespace
