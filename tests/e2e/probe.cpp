// Looks at windows from inside Wine for the end-to-end scripts:
//   probe window CLASS          one line: x y width height exstyle visible iconic caption
//   probe windows               every visible top-level window: class x y width height handle
//   probe post CLASS MSG W L    posts a message (numbers in decimal or 0x hex)
//   probe acp                   the ANSI code page
// Exit code 1 when the window is not there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static HWND FindByClass(const char* className)
{
    return FindWindowA(className, nullptr);
}

static BOOL CALLBACK PrintWindow(HWND window, LPARAM)
{
    if (!IsWindowVisible(window))
        return TRUE;
    char className[128];
    RECT box;
    GetClassNameA(window, className, sizeof className);
    GetWindowRect(window, &box);
    std::printf("%s %ld %ld %ld %ld %p\n", className, box.left, box.top, box.right - box.left, box.bottom - box.top,
                static_cast<void*>(window));
    return TRUE;
}

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "window") == 0) {
        HWND window = FindByClass(argv[2]);
        if (window == nullptr)
            return 1;
        RECT box;
        GetWindowRect(window, &box);
        char caption[256];
        GetWindowTextA(window, caption, sizeof caption);
        std::printf("%ld %ld %ld %ld 0x%lx %d %d %s\n", box.left, box.top, box.right - box.left,
                    box.bottom - box.top, (unsigned long)GetWindowLongA(window, GWL_EXSTYLE),
                    IsWindowVisible(window) ? 1 : 0, IsIconic(window) ? 1 : 0, caption);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "windows") == 0) {
        EnumWindows(PrintWindow, 0);
        return 0;
    }
    if (argc >= 6 && std::strcmp(argv[1], "post") == 0) {
        HWND window = FindByClass(argv[2]);
        if (window == nullptr)
            return 1;
        UINT message = (UINT)std::strtoul(argv[3], nullptr, 0);
        WPARAM wParam = (WPARAM)std::strtoul(argv[4], nullptr, 0);
        LPARAM lParam = (LPARAM)std::strtol(argv[5], nullptr, 0);
        return PostMessageA(window, message, wParam, lParam) ? 0 : 1;
    }
    if (argc >= 2 && std::strcmp(argv[1], "acp") == 0) {
        std::printf("%u\n", GetACP());
        return 0;
    }
    std::fprintf(stderr, "usage: probe window CLASS | windows | post CLASS MSG W L | acp\n");
    return 2;
}
