// A small check harness for the tests that run under Wine: every check counts,
// a failure prints where and why, and the summary line decides the exit code.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

inline int checksPassed, checksFailed;

#define CHECK(condition, ...)                                              \
    do {                                                                   \
        if (condition) {                                                   \
            ++checksPassed;                                                \
        } else {                                                           \
            ++checksFailed;                                                \
            std::printf("FAIL %s:%d: %s: ", __FILE__, __LINE__, #condition); \
            std::printf(__VA_ARGS__);                                      \
            std::printf("\n");                                             \
            std::fflush(stdout);                                           \
        }                                                                  \
    } while (0)

#define CHECK_EQ(actual, expected, ...)                                     \
    do {                                                                    \
        long long actualValue = (long long)(actual);                        \
        long long expectedValue = (long long)(expected);                    \
        CHECK(actualValue == expectedValue, "got %lld, expected %lld; ",    \
              actualValue, expectedValue);                                  \
        if (actualValue != expectedValue) {                                 \
            std::printf("    ");                                            \
            std::printf(__VA_ARGS__);                                       \
            std::printf("\n");                                              \
        }                                                                   \
    } while (0)

// The test's virtual display (HOPLETTE_SCREEN, WIDTHxHEIGHTxDEPTH; 1024 x 768
// when unset) must be the screen Wine reports: a test that measures the screen
// stops at once, naming both sizes, where it is not.
inline void RequireTheGivenScreen()
{
    char given[64] = "";
    int width = 1024, height = 768;
    DWORD length = GetEnvironmentVariableA("HOPLETTE_SCREEN", given, sizeof given);
    if (length > 0 && length < sizeof given)
        std::sscanf(given, "%dx%d", &width, &height);
    int seenWidth = GetSystemMetrics(SM_CXSCREEN), seenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (seenWidth == width && seenHeight == height)
        return;
    std::printf("FAIL: Wine sees a %dx%d screen on the %dx%d display this test was given\n", seenWidth, seenHeight,
                width, height);
    std::fflush(stdout);
    ExitProcess(1);
}

inline int CheckSummary()
{
    std::printf("%d passed, %d failed\n", checksPassed, checksFailed);
    std::fflush(stdout);
    return checksFailed == 0 && checksPassed > 0 ? 0 : 1;
}

// Dispatches the thread's messages for about ms milliseconds; never waits longer.
inline void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        DWORD spent = GetTickCount() - start;
        if (spent >= ms)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

// A full path for a fresh settings file in the temporary folder; the profile
// functions would send a bare name to the Windows folder.
inline void TemporarySettingsPath(char* path, const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::snprintf(path, 256, "%shoplette-%lu-%s.ini", folder, GetCurrentProcessId(), name);
    DeleteFileA(path);
}

// Writes a file's exact bytes.
inline void WriteFileBytes(const char* path, const char* bytes)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes, (DWORD)std::strlen(bytes), &written, nullptr);
    CloseHandle(file);
}

// Reads a whole (small) file into text; empty when it does not exist.
inline void ReadFileBytes(const char* path, char* text, DWORD size)
{
    text[0] = '\0';
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD read = 0;
    ReadFile(file, text, size - 1, &read, nullptr);
    text[read] = '\0';
    CloseHandle(file);
}

// A bitmap (not selected into a device context) as 32-bit pixels, top-down,
// without alpha; empty when it is missing or of another size.
inline std::vector<DWORD> BitmapPixels(HBITMAP bitmap, int width, int height)
{
    std::vector<DWORD> pixels(size_t(width) * height);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    bool read = bitmap != nullptr && GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) == height;
    ReleaseDC(nullptr, screen);
    if (!read)
        return {};
    for (DWORD& pixel : pixels)
        pixel &= 0xffffff;
    return pixels;
}

// A rectangle of the screen as 32-bit pixels, top-down, without alpha.
inline std::vector<DWORD> CaptureScreenPixels(int x, int y, int width, int height)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::vector<DWORD> pixels = BitmapPixels(shot, width, height);
    DeleteObject(shot);
    return pixels;
}
