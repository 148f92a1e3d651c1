// Times a program from process start to its first visible window of a class:
//   launch CLASS PROGRAM.exe   prints milliseconds, then closes the window.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(argv[2], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 1;
    HWND window = nullptr;
    for (;;) {
        window = FindWindowA(argv[1], nullptr);
        if (window != nullptr && IsWindowVisible(window))
            break;
        QueryPerformanceCounter(&now);
        if (now.QuadPart - start.QuadPart > frequency.QuadPart * 30)
            return 1;
        Sleep(1);
    }
    QueryPerformanceCounter(&now);
    std::printf("%.1f\n", 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart);
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
