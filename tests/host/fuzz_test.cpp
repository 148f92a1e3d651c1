// Bounded random loops with a fixed seed, checked against small models of the rules.
#include "guarded.h"

#include "base/numbers.h"
#include "catalogue/catalogue.h"
#include "show/ball.h"
#include "show/field.h"
#include "show/sound.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

std::mt19937 rng(20240607);

int Uniform(int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); }

// Random bytes (no NUL), mostly from `bias`. Texts are cut from one such pool per test,
// which keeps a debug build under the sanitizers fast.
std::string MakePool(const char* bias)
{
    std::string pool(1 << 16, ' ');
    for (char& c : pool)
        c = Uniform(1, 100) <= 90 ? bias[Uniform(0, static_cast<int>(std::strlen(bias)) - 1)]
                                  : static_cast<char>(Uniform(1, 255));
    return pool;
}

std::string Cut(const std::string& pool, int longest = 600)
{
    return pool.substr(Uniform(0, static_cast<int>(pool.size()) - 601), Uniform(0, longest));
}

// atoi's rule with out-of-range results pinned to the nearest limit.
int32_t ReferenceParse(const std::string& s)
{
    size_t i = s.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string::npos)
        return 0;
    int sign = 1;
    if (s[i] == '+' || s[i] == '-')
        sign = s[i++] == '-' ? -1 : 1;
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        v = std::min(v * 10 + (s[i] - '0'), 10000000000LL);
    return static_cast<int32_t>(std::clamp(sign * v, (long long)INT32_MIN, (long long)INT32_MAX));
}

TEST(Fuzz, ParseSettingNumberMatchesAtoiWithSaturation)
{
    const std::string pool = MakePool("0123456789 \t+-x");
    for (int i = 0; i < 200000; ++i) {
        // Short texts reach the range limits; long ones have digits without end.
        std::string s = Cut(pool, i % 2 ? 600 : 14);
        ASSERT_EQ(ParseSettingNumber(s.c_str()), ReferenceParse(s)) << "row " << i << " text \"" << s << "\"";
    }
}

// The module path as a byte scan should see it: both bytes of every double-byte
// character of code page 932 replaced by '#', which is no separator.
std::string MaskDoubleBytes(std::string module)
{
    for (size_t i = 0; i + 1 < module.size(); ++i)
        if (Cp932LeadByte(static_cast<unsigned char>(module[i])))
            module[i] = module[i + 1] = '#', ++i;
    return module;
}

// Bytes as UTF-16 units: separators and ASCII stay, the rest become Hangul
// syllables and surrogate halves, so that no other unit passes for a separator.
std::u16string WidenBytes(const std::string& bytes)
{
    std::u16string wide;
    for (unsigned char b : bytes)
        wide += b < 0x80 ? char16_t(b) : b < 0xC0 ? char16_t(0xD800 + b) : char16_t(0xAC00 + b);
    return wide;
}

// Up to the last separator after position 0; marked from 250; empty if it cannot fit.
template <typename Text> Text ExpectedDirectory(const Text& module, const Text& scanned, const Text& separators)
{
    size_t cut = scanned.size() > 1 ? scanned.find_last_of(separators) : Text::npos;
    bool found = cut != Text::npos && cut >= 1;
    Text expected = found ? module.substr(0, cut + 1) : module;
    if (found && expected.size() >= 250)
        expected += typename Text::value_type('?');
    if (expected.size() >= PATH_SIZE)
        expected.clear();
    return expected;
}

TEST(Fuzz, ProgramDirectoryAndJoinPathStayInTheirBuffers)
{
    // Separators rare to frequent, so that directories of every length occur;
    // the last two are thick with lead bytes whose second byte is a backslash.
    const std::string pools[] = {MakePool("a"), MakePool("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\\"),
                                 MakePool("ab\\:."), MakePool("\\"), MakePool("\x83\\a\x95\xE0"),
                                 MakePool("aaaaaaaaaaaaaaaaaaaaaaaaa\x83\\\\")};
    const std::string names = MakePool("ab.\\");
    for (int i = 0; i < 100000; ++i) {
        const std::string module = Cut(pools[i % 6]);
        Guarded<PATH_SIZE> dir;
        ProgramDirectoryFromModulePath(module.c_str(), dir.text, Cp932LeadByte);
        ASSERT_TRUE(dir.Intact()) << "row " << i;
        const std::string expected = ExpectedDirectory(module, MaskDoubleBytes(module), std::string("\\:"));
        ASSERT_EQ(std::string(dir.text), expected) << "row " << i << " module \"" << module << "\"";

        const std::string name = Cut(names, i % 2 ? 600 : 40);
        Guarded<PATH_SIZE> path;
        bool fits = !expected.empty() && expected.size() + name.size() < PATH_SIZE;
        ASSERT_EQ(JoinPath(dir.text, name.c_str(), path.text), fits) << "row " << i;
        ASSERT_TRUE(path.Intact()) << "row " << i;
        ASSERT_EQ(std::string(path.text), fits ? expected + name : "") << "row " << i;

        // Wide: every unit is a character of its own.
        const std::u16string wideModule = WidenBytes(module), wideName = WidenBytes(name);
        Guarded<PATH_SIZE, WideUnit> wideDir;
        ProgramDirectoryFromModulePath(wideModule.c_str(), wideDir.text);
        ASSERT_TRUE(wideDir.Intact()) << "row " << i;
        const std::u16string wideExpected = ExpectedDirectory(wideModule, wideModule, std::u16string(u"\\:"));
        ASSERT_TRUE(std::u16string(wideDir.text) == wideExpected) << "row " << i << " module \"" << module << "\"";
        Guarded<PATH_SIZE, WideUnit> widePath;
        bool wideFits = !wideExpected.empty() && wideExpected.size() + wideName.size() < PATH_SIZE;
        ASSERT_EQ(JoinPath(wideDir.text, wideName.c_str(), widePath.text), wideFits) << "row " << i;
        ASSERT_TRUE(widePath.Intact()) << "row " << i;
        ASSERT_TRUE(std::u16string(widePath.text) == (wideFits ? wideExpected + wideName : u"")) << "row " << i;

        // A value cut to fit a buffer keeps as many whole characters as fit.
        const size_t limit = static_cast<size_t>(Uniform(0, 300));
        const size_t kept = WholeCharactersLength(module.c_str(), limit, Cp932LeadByte);
        ASSERT_TRUE(kept <= limit && kept <= module.size()) << "row " << i;
        // A cut inside a character would leave its lead byte unpaired.
        ASSERT_EQ(MaskDoubleBytes(module.substr(0, kept)), MaskDoubleBytes(module).substr(0, kept)) << "row " << i;
        // And it stops only at the end, at the limit, or before a lead byte that ends the text.
        const bool lead = kept < module.size() && Cp932LeadByte(static_cast<unsigned char>(module[kept]));
        ASSERT_TRUE(kept == module.size() || kept + (lead ? 2 : 1) > limit || (lead && kept + 1 == module.size()))
            << "row " << i;
    }
}

// How far the player reads into a sound in memory, the way it walks it: the
// RIFF header, a search for "fmt " reading 12 bytes at each chunk header, the
// format, then from the end of that chunk a search for "data", and the data.
// Bytes past the image read as the zero padding. 0 when it finds no sound.
uint64_t PlayerReach(const std::string& image)
{
    uint64_t reach = 12;
    auto byte = [&](uint64_t at) { return at < image.size() ? static_cast<unsigned char>(image[at]) : 0u; };
    auto word = [&](uint64_t at) { return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | uint64_t(byte(at + 3)) << 24; };
    auto id = [&](uint64_t at, const char* name) {
        return byte(at) == uint8_t(name[0]) && byte(at + 1) == uint8_t(name[1]) && byte(at + 2) == uint8_t(name[2]) &&
               byte(at + 3) == uint8_t(name[3]);
    };
    const uint64_t end = 8 + word(4);
    uint64_t at = 12;
    for (const char* name : {"fmt ", "data"}) {
        for (int hops = 0;; ++hops) {
            if (at >= end || hops > 100000)
                return 0;
            reach = std::max(reach, at + 12);
            if (id(at, name))
                break;
            at += 8 + ((word(at + 4) + 1) & ~uint64_t(1));
        }
        const uint64_t length = word(at + 4);
        reach = std::max(reach, at + 8 + length);
        at += 8 + length + (length & 1);
    }
    return reach;
}

TEST(Fuzz, AnAcceptedSoundImageKeepsThePlayerInsideItsCopy)
{
    const std::string fmt = "fmt " + std::string("\x10\0\0\0", 4) + std::string(16, '\1');
    const std::string seeds[] = {"RIFF" + std::string("\x24\0\0\0", 4) + "WAVE" + fmt + "data" + std::string(4, '\0'),
                                 "RIFF" + std::string("\x32\0\0\0", 4) + "WAVE" + "LIST" + std::string("\x03\0\0\0", 4)
                                     + "abc\0" + fmt + "data" + std::string("\x02\0\0\0", 4) + "xy"};
    int accepted = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string image = seeds[i % 2];
        // A few bytes changed, mostly in the headers, and sometimes cut or lengthened.
        for (int n = Uniform(1, 4); n > 0; --n) {
            size_t at = Uniform(0, 3) ? static_cast<size_t>(Uniform(0, 47)) % image.size() : Uniform(0, 60) % image.size();
            image[at] = static_cast<char>(Uniform(0, 3) ? Uniform(0, 64) : Uniform(0, 255));
        }
        if (Uniform(0, 3) == 0)
            image.resize(static_cast<size_t>(Uniform(0, 70)), 'z');
        const std::vector<unsigned char> copy(image.begin(), image.end());  // exact, for the sanitizer
        const bool whole = SoundImageIsWhole(copy.data(), copy.size());
        if (!whole)
            continue;
        ++accepted;
        const uint64_t reach = PlayerReach(image);
        ASSERT_TRUE(reach != 0 && reach <= image.size() + SOUND_IMAGE_PADDING) << "row " << i << " reach " << reach;
    }
    ASSERT_GT(accepted, 1000);
}

bool InZone(int32_t y, int32_t h) { return y + 80 >= h || y - 80 <= 0; }

// A ball that turns on entering [.., L] or [U, ..] of an axis (L = m + r, U = area - m - r)
// stays in [min(start, L - step + 1), max(start + step, U + step - 1)]: it moves by ±step,
// and every move away from a band starts outside it or returns to a place already visited.
TEST(Fuzz, BallStaysWithinItsTurningBoundsAndSoundsOncePerVisit)
{
    const int16_t modes[] = {10010, 10013, 10016, 10017, 10018};
    for (int config = 0; config < 600; ++config) {
        const int32_t w = Uniform(320, 7680), h = Uniform(200, 4320);
        const int16_t mode = modes[config % 5];
        const int32_t aspectX = Uniform(1, 100), aspectY = Uniform(1, 100);
        BallMotion b = PrepareBallMotion(w, h, mode, aspectX, aspectY);
        SCOPED_TRACE(testing::Message() << "row " << config << ": " << w << "x" << h << " aspect "
                                        << aspectX << "/" << aspectY << " mode " << mode);
        ASSERT_EQ(b.areaWidth, mode == SHOW_DOUBLE ? w / 2 : w);
        ASSERT_EQ(b.areaHeight, h);
        ASSERT_TRUE(b.radiusX >= 0 && b.radiusY >= 0);  // a small scale over a large aspect gives 0
        const int32_t m = BounceMargin(mode, w), sx = b.stepX, sy = b.stepY, x0 = b.ballX, y0 = b.ballY;
        const int32_t loX = std::min(x0, m + b.radiusX - sx + 1), hiX = std::max(x0 + sx, b.areaWidth - m - b.radiusX + sx - 1);
        const int32_t loY = std::min(y0, m + b.radiusY - sy + 1), hiY = std::max(y0 + sy, h - m - b.radiusY + sy - 1);
        BallStep first{};
        for (int n = 0; n < 3000; ++n) {
            const int32_t beforeX = b.ballX, beforeY = b.ballY;
            BallStep s = StepBall(&b, w, h, mode);
            ASSERT_EQ(s.secondPicture, mode == SHOW_DOUBLE && n % 2 == 1) << "step " << n;
            ASSERT_TRUE(s.secondPicture || s.drawX == beforeX - 82) << "step " << n;
            // Away from the widths its offsets suit, the second picture mirrors the first one exactly.
            const bool mirrored = s.secondPicture && !OffsetFormulaMirrors(w);
            ASSERT_EQ(s.drawY, mirrored ? first.drawY : beforeY - 82) << "step " << n;
            ASSERT_TRUE(!mirrored || s.drawX == w - w / 2 - 164 - first.drawX) << "step " << n;
            if (!s.secondPicture)
                first = s;
            ASSERT_TRUE(std::abs(b.stepX) == sx && std::abs(b.stepY) == sy) << "step " << n;
            ASSERT_TRUE(b.ballX >= loX && b.ballX <= hiX) << "step " << n << " x " << b.ballX;
            ASSERT_TRUE(b.ballY >= loY && b.ballY <= hiY) << "step " << n << " y " << b.ballY;
            // With room to move, that keeps the centre strictly inside the area.
            ASSERT_TRUE(b.radiusX >= b.areaWidth / 2 - m || (b.ballX > 0 && b.ballX < b.areaWidth)) << "step " << n;
            ASSERT_TRUE(b.radiusY >= h / 2 - m || (b.ballY > 0 && b.ballY < h)) << "step " << n;
            ASSERT_EQ(s.playSound, InZone(b.ballY, h) && !InZone(beforeY, h)) << "step " << n;
        }
    }
}

// A random desktop of one to four monitors, each beside one before it at a
// random offset along its side (they may touch at a corner only, or overlap a third).
std::vector<ScreenBox> RandomDesktop()
{
    std::vector<ScreenBox> monitors{{0, 0, Uniform(640, 2560), Uniform(480, 1600)}};
    for (int n = Uniform(0, 3); n > 0; --n) {
        const ScreenBox& by = monitors[Uniform(0, static_cast<int>(monitors.size()) - 1)];
        int32_t w = Uniform(320, 2560), h = Uniform(240, 1600);
        int32_t x = Uniform(by.left - w, by.right), y = Uniform(by.top - h, by.bottom);
        switch (Uniform(0, 3)) {
        case 0: x = by.right; break;
        case 1: x = by.left - w; break;
        case 2: y = by.bottom; break;
        default: y = by.top - h; break;
        }
        monitors.push_back({x, y, x + w, y + h});
    }
    return monitors;
}

// The ball of one field across random desktops is never more than one step
// outside it: its box, drawn in by a step on each side, always fits; a
// changed desktop refits it inside the new one.
TEST(Fuzz, FieldBallNeverLeavesTheFieldByMoreThanAStep)
{
    const int16_t modes[] = {SHOW_EARTH, SHOW_DOUBLE, SHOW_SUN};
    const int32_t dpis[] = {96, 96, 120, 144, 192};
    int tried = 0;
    for (int config = 0; config < 200; ++config) {
        std::vector<ScreenBox> desktop = RandomDesktop();
        const int16_t mode = modes[config % 3];
        const int32_t dpi = dpis[Uniform(0, 4)];
        BallField field = MakeBallField(desktop.data(), static_cast<int32_t>(desktop.size()), dpi, mode);
        BallMotion ball = PrepareFieldBall(&field, 36, 36);
        SCOPED_TRACE(testing::Message() << "row " << config << ": " << desktop.size() << " monitors, mode " << mode
                                        << " dpi " << dpi);
        // A monitor too small for the ball's box leaves it nowhere to go, as on one monitor.
        if (!FieldBoxFits(&field, ball.ballX, ball.ballY, ball.radiusX, ball.radiusY))
            continue;
        ++tried;
        for (int n = 0; n < 4000; ++n) {
            if (n == 2000) {
                std::vector<ScreenBox> changed = RandomDesktop();
                BallField now = MakeBallField(changed.data(), static_cast<int32_t>(changed.size()), dpi, mode);
                BallMotion refitted = ball;
                FitFieldBall(&refitted, &now);
                if (!FieldBoxFits(&now, refitted.ballX, refitted.ballY, refitted.radiusX, refitted.radiusY))
                    break;
                field = now, ball = refitted;
            }
            StepFieldBall(&ball, &field);
            const int32_t sx = std::abs(ball.stepX), sy = std::abs(ball.stepY);
            ASSERT_TRUE(ball.radiusX >= sx && ball.radiusY >= sy) << "step " << n;
            ASSERT_TRUE(FieldBoxFits(&field, ball.ballX, ball.ballY, ball.radiusX - sx, ball.radiusY - sy))
                << "step " << n << " at " << ball.ballX << ", " << ball.ballY;
        }
    }
    EXPECT_GT(tried, 130);
}

} // namespace
