// Bounded random loops with a fixed seed, checked against small models of the rules.
#include "guarded.h"

#include "app/numbers.h"
#include "catalogue/catalogue.h"
#include "show/ball.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>

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

TEST(Fuzz, ProgramDirectoryAndJoinPathStayInTheirBuffers)
{
    // Separators rare to frequent, so that directories of every length occur.
    const std::string pools[] = {MakePool("a"), MakePool("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\\"),
                                 MakePool("ab\\:."), MakePool("\\")};
    const std::string names = MakePool("ab.\\");
    for (int i = 0; i < 100000; ++i) {
        const std::string module = Cut(pools[i % 4]);
        Guarded<PATH_SIZE> dir;
        ProgramDirectoryFromModulePath(module.c_str(), dir.text);
        ASSERT_TRUE(dir.Intact()) << "row " << i;
        // Up to the last separator after position 0; marked from 250; empty if it cannot fit.
        size_t cut = module.size() > 1 ? module.find_last_of("\\:") : std::string::npos;
        bool found = cut != std::string::npos && cut >= 1;
        std::string expected = found ? module.substr(0, cut + 1) : module;
        if (found && expected.size() >= 250)
            expected += "?";
        if (expected.size() >= PATH_SIZE)
            expected.clear();
        ASSERT_EQ(std::string(dir.text), expected) << "row " << i << " module \"" << module << "\"";

        const std::string name = Cut(names, i % 2 ? 600 : 40);
        Guarded<PATH_SIZE> path;
        bool fits = !expected.empty() && expected.size() + name.size() < PATH_SIZE;
        ASSERT_EQ(JoinPath(dir.text, name.c_str(), path.text), fits) << "row " << i;
        ASSERT_TRUE(path.Intact()) << "row " << i;
        ASSERT_EQ(std::string(path.text), fits ? expected + name : "") << "row " << i;
    }
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
        aspectX = Uniform(1, 100);
        aspectY = Uniform(1, 100);
        soundLatch = 0;
        doubleAlternation = 0;
        PrepareBallMotion(w, h, mode);
        SCOPED_TRACE(testing::Message() << "row " << config << ": " << w << "x" << h << " aspect "
                                        << aspectX << "/" << aspectY << " mode " << mode);
        ASSERT_EQ(areaWidth, mode == SHOW_DOUBLE ? w / 2 : w);
        ASSERT_EQ(areaHeight, h);
        ASSERT_TRUE(radiusX >= 0 && radiusY >= 0);  // a small scale over a large aspect gives 0
        const int32_t m = BounceMargin(mode, w), sx = stepX, sy = stepY, x0 = ballX, y0 = ballY;
        const int32_t loX = std::min(x0, m + radiusX - sx + 1), hiX = std::max(x0 + sx, areaWidth - m - radiusX + sx - 1);
        const int32_t loY = std::min(y0, m + radiusY - sy + 1), hiY = std::max(y0 + sy, h - m - radiusY + sy - 1);
        BallStep first{};
        for (int n = 0; n < 3000; ++n) {
            const int32_t beforeX = ballX, beforeY = ballY;
            BallStep s = StepBall(w, h, mode);
            ASSERT_EQ(s.secondPicture, mode == SHOW_DOUBLE && n % 2 == 1) << "step " << n;
            ASSERT_TRUE(s.secondPicture || s.drawX == beforeX - 82) << "step " << n;
            // Away from the widths its offsets suit, the second picture mirrors the first one exactly.
            const bool mirrored = s.secondPicture && !OffsetFormulaMirrors(w);
            ASSERT_EQ(s.drawY, mirrored ? first.drawY : beforeY - 82) << "step " << n;
            ASSERT_TRUE(!mirrored || s.drawX == w - w / 2 - 164 - first.drawX) << "step " << n;
            if (!s.secondPicture)
                first = s;
            ASSERT_TRUE(std::abs(stepX) == sx && std::abs(stepY) == sy) << "step " << n;
            ASSERT_TRUE(ballX >= loX && ballX <= hiX) << "step " << n << " x " << ballX;
            ASSERT_TRUE(ballY >= loY && ballY <= hiY) << "step " << n << " y " << ballY;
            // With room to move, that keeps the centre strictly inside the area.
            ASSERT_TRUE(radiusX >= areaWidth / 2 - m || (ballX > 0 && ballX < areaWidth)) << "step " << n;
            ASSERT_TRUE(radiusY >= h / 2 - m || (ballY > 0 && ballY < h)) << "step " << n;
            ASSERT_EQ(s.playSound, InZone(ballY, h) && !InZone(beforeY, h)) << "step " << n;
        }
    }
}

} // namespace
