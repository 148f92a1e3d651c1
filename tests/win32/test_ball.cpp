// The ball drawn on real windows: the picture lands where the arithmetic
// says, pixel for pixel, and Double mode's two balls mirror each other.
// Run once per virtual screen size, common widths and an odd one.
#include "showtest.h"

#include "catalogue/catalogue.h"
#include "base/scale.h"
#include "show/ball.h"

#include <cstdlib>
#include <vector>

// A picture's own pixels, as the display shows them.
static std::vector<DWORD> PicturePixels(HBITMAP picture)
{
    return BitmapPixels(picture, BALL_SIZE, BALL_SIZE);
}

// Pixels of the square at (x, y) that differ from the picture.
static int Mismatches(const std::vector<DWORD>& screen, const std::vector<DWORD>& picture, int x, int y)
{
    int wrong = 0;
    for (int row = 0; row < BALL_SIZE; ++row) {
        for (int column = 0; column < BALL_SIZE; ++column) {
            int sx = x + column, sy = y + row;
            if (sx < 0 || sy < 0 || sx >= screenWidth || sy >= screenHeight)
                continue;
            DWORD want = picture[row * BALL_SIZE + column] & 0xffffff;
            wrong += (screen[size_t(sy) * screenWidth + sx] & 0xffffff) != want ? 1 : 0;
        }
    }
    return wrong;
}

// Bounding box of the non-black pixels between columns left and right.
static RECT BodyBox(const std::vector<DWORD>& screen, int left, int right)
{
    RECT box = {right, screenHeight, left - 1, -1};
    for (int y = 0; y < screenHeight; ++y) {
        for (int x = left; x < right; ++x) {
            if ((screen[size_t(y) * screenWidth + x] & 0xffffff) != 0) {
                box.left = x < box.left ? x : box.left;
                box.right = x > box.right ? x : box.right;
                box.top = y < box.top ? y : box.top;
                box.bottom = y > box.bottom ? y : box.bottom;
            }
        }
    }
    return box;
}

// A black window as a show makes one: painted once, its update region validated,
// so that nothing repaints it behind the ball's back.
static HWND BlackWindow(int x, int width)
{
    HWND window = CreateWindowExA(0, "static", nullptr, WS_POPUP | WS_VISIBLE, x, 0, width, screenHeight,
                                  nullptr, nullptr, instanceHandle, nullptr);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PatBlt(dc, 0, 0, screenWidth, screenHeight, BLACKNESS);
    EndPaint(window, &paint);
    return window;
}

// Lets Wine put the windows' pixels on the X screen, dispatching nothing, as during a show.
static void LetTheScreenCatchUp()
{
    for (int i = 0; i < 15; ++i) {
        MSG message;
        PeekMessageA(&message, nullptr, WM_NULL, WM_NULL, PM_NOREMOVE);
        Sleep(20);
    }
}

static void TestSingleMode(HWND park)
{
    HWND window = BlackWindow(0, screenWidth);
    BallPlace place = MonitorPlace(screenWidth, screenHeight, STANDARD_DPI, true);
    int32_t aspectX, aspectY;
    MeasureAspect(park, &aspectX, &aspectY);
    BallMotion ball = PrepareBallAt(place, SHOW_MARS, aspectX, aspectY);
    ShowPictures pictures = LoadShowPictures(SHOW_MARS, BowlNo_1, BowlNo_2);
    // Read before the first draw selects it into a device context.
    std::vector<DWORD> mars = PicturePixels(pictures.loaded[0]);
    CHECK(ball.ballX == screenWidth / 2 && ball.ballY == screenHeight / 2, "the ball starts at the centre");
    int x = 0, y = 0;
    for (int step = 0; step < 40; ++step) {
        x = ball.ballX - 82;
        y = ball.ballY - 82;
        DrawBall(window, &pictures, StepBallAt(&ball, place, SHOW_MARS), place);
    }
    LetTheScreenCatchUp();
    std::vector<DWORD> screen = CaptureScreenPixels(0, 0, screenWidth, screenHeight);
    CHECK_EQ(Mismatches(screen, mars, x, y), 0, "Mars at (%d, %d) on %dx%d", x, y,
             screenWidth, screenHeight);
    RECT box = BodyBox(screen, 0, screenWidth);
    CHECK(box.left >= x && box.right < x + BALL_SIZE && box.top >= y && box.bottom < y + BALL_SIZE,
          "nothing drawn outside the last square: box (%ld,%ld)-(%ld,%ld)", box.left, box.top, box.right,
          box.bottom);
    ReleaseShowPictures(&pictures);
    DestroyWindow(window);
}

static void TestDoubleMode(HWND park)
{
    int half = screenWidth >> 1;
    HWND left = BlackWindow(0, half);
    HWND right = BlackWindow(half, RightHalfWidth(screenWidth));
    BallPlace place = MonitorPlace(screenWidth, screenHeight, STANDARD_DPI, true);
    int32_t aspectX, aspectY;
    MeasureAspect(park, &aspectX, &aspectY);
    BallMotion ball = PrepareBallAt(place, SHOW_DOUBLE, aspectX, aspectY);
    // The same round body on both sides makes the mirror visible.
    ShowPictures pictures = LoadShowPictures(SHOW_DOUBLE, PAIR_SPHERE, PAIR_SPHERE);
    std::vector<DWORD> sphere = PicturePixels(pictures.loaded[0]);
    bool formula = OffsetFormulaMirrors(screenWidth);
    int leftX = 0, leftY = 0, rightX = 0, rightY = 0, ballAtSecond = 0;
    for (int frame = 0; frame < 30; ++frame) {
        leftX = ball.ballX - 82;
        leftY = ball.ballY - 82;
        DrawBall(left, &pictures, StepBallAt(&ball, place, SHOW_DOUBLE), place);
        ballAtSecond = ball.ballX;
        // Where the offsets suit the width they place the right ball; elsewhere it
        // is the exact mirror image of the left one.
        rightX = formula ? half + ((screenWidth + BALL_SIZE) >> 2) + MirrorOffset(screenWidth) - (ball.ballX - 82)
                         : screenWidth - leftX - BALL_SIZE;
        rightY = formula ? ball.ballY - 82 : leftY;
        DrawBall(right, &pictures, StepBallAt(&ball, place, SHOW_DOUBLE), place);
    }
    LetTheScreenCatchUp();
    std::vector<DWORD> screen = CaptureScreenPixels(0, 0, screenWidth, screenHeight);
    CHECK_EQ(Mismatches(screen, sphere, leftX, leftY), 0, "left ball at (%d, %d)", leftX, leftY);
    CHECK_EQ(Mismatches(screen, sphere, rightX, rightY), 0, "right ball at (%d, %d)", rightX, rightY);

    // The right ball is the mirror image, about the centre line, of the ball:
    // within 3 px where the offsets place it, exactly everywhere else.
    int mirrorLeft = screenWidth - (ballAtSecond - 82) - BALL_SIZE;
    if (formula)
        CHECK(std::abs(rightX - mirrorLeft) <= 3, "right ball %d px from the mirror image on a %d-wide screen",
              rightX - mirrorLeft, screenWidth);
    RECT leftBody = BodyBox(screen, 0, half), rightBody = BodyBox(screen, half, screenWidth);
    int leftCentre = (leftBody.left + leftBody.right) / 2, rightCentre = (rightBody.left + rightBody.right) / 2;
    int slack = formula ? 3 + std::abs(ball.stepX) : 1;
    CHECK(std::abs((screenWidth - 1 - leftCentre) - rightCentre) <= slack,
          "bodies at %d and %d do not mirror each other on a %d-wide screen", leftCentre, rightCentre, screenWidth);
    CHECK(formula || (leftBody.top == rightBody.top && leftBody.bottom == rightBody.bottom),
          "bodies at heights %ld and %ld", leftBody.top, rightBody.top);
    ReleaseShowPictures(&pictures);
    DestroyWindow(left);
    DestroyWindow(right);
}

int main()
{
    HWND park = StartParkWindow();
    KillTimer(park, WAIT_TIMER);
    ShowWindow(park, SW_HIDE); // keep the park window out of the pictures
    TestSingleMode(park);
    TestDoubleMode(park);
    CloseParkWindow(park);
    return CheckSummary();
}
