// Looks at windows from inside Wine for the end-to-end scripts:
//   probe window CLASS          one line: x y width height exstyle visible iconic caption
//   probe windows               every visible top-level window: class x y width height handle
//                               exstyle owner (the owner's handle in decimal, 0 for none)
//   probe post CLASS MSG W L [N]  posts a message (numbers in decimal or 0x hex), N times (1)
//   probe send CLASS MSG W L    sends it, waiting up to 5 s for the answer
//   probe acp                   the ANSI code page
//   probe parent WIDTH HEIGHT   a window of class ProbeParent with that client size at (100, 100);
//                               prints its handle in decimal and runs until it is destroyed
//   probe children HANDLE       the window's children: class x y width height (client coordinates) visible
//   probe cover bare|caption|lock|once  a window of class ProbeCover in front over the whole primary
//                               monitor: without a caption (as a full-screen video or game), or a
//                               maximized captioned one; runs until it is closed. lock: captioned, and
//                               stands in for Windows' foreground lock (see LockProc); once: captioned,
//                               takes the foreground at its start only (see OnceProc)
//   probe at X Y                the class of the window at that point of the screen
//   probe foreground            the class of the foreground window
//   probe screen                the primary screen's size as Wine reports it: WIDTH HEIGHT
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
    std::printf("%s %ld %ld %ld %ld %p 0x%lx %lu\n", className, box.left, box.top, box.right - box.left,
                box.bottom - box.top, static_cast<void*>(window), (unsigned long)GetWindowLongA(window, GWL_EXSTYLE),
                static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(GetWindow(window, GW_OWNER))));
    return TRUE;
}

static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

// The probe's own windows are white, so that what another window leaves showing is seen.
static void RegisterWhiteClass(const char* name, WNDPROC procedure)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

// Stands in for the little monitor of Windows' screen saver settings.
static int RunParent(int width, int height)
{
    RegisterWhiteClass("ProbeParent", ParentProc);
    RECT box = {0, 0, width, height};
    AdjustWindowRect(&box, WS_POPUP | WS_BORDER, FALSE);
    HWND parent = CreateWindowExA(0, "ProbeParent", "", WS_POPUP | WS_BORDER | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100,
                                  box.right - box.left, box.bottom - box.top, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (parent == nullptr)
        return 1;
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(parent)));
    std::fflush(stdout);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

static bool ParkInFront()
{
    char className[32] = "";
    GetClassNameA(GetForegroundWindow(), className, sizeof className);
    return std::strcmp(className, "ParkClass") == 0;
}

static LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Wine lets a program in the background take the foreground, which
    // Windows refuses: Hoplette's park window does at its start and after each
    // show. The user goes back to the cover at once.
    if (message == WM_TIMER && ParkInFront())
        SetForegroundWindow(window);
    return ParentProc(window, message, wParam, lParam);
}

// The program the user works in, where Windows' foreground lock keeps the
// foreground from Hoplette: whenever another window has the foreground (the
// park window, a show's), it takes the foreground, the keyboard and the front
// back, the state in which the lock leaves it. It counts the keys and button
// events it receives, in its caption ("keys K buttons B focus F"), and sends
// input as a remote-control tool does: WM_APP a key press (space), WM_APP + 1
// a left click at the screen's centre.
static int keysReceived, buttonsReceived;
static void ShowCounts(HWND window)
{
    char caption[64];
    std::snprintf(caption, sizeof caption, "keys %d buttons %d focus %d", keysReceived, buttonsReceived,
                  GetFocus() == window ? 1 : 0);
    char shown[64] = "";
    GetWindowTextA(window, shown, sizeof shown);
    if (std::strcmp(caption, shown) != 0)
        SetWindowTextA(window, caption);
}
static void SendPress(bool key)
{
    INPUT input[3] = {};
    if (key) {
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = VK_SPACE;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof input[0]);
        return;
    }
    for (INPUT& one : input)
        one.type = INPUT_MOUSE;
    input[0].mi.dx = input[0].mi.dy = 32768; // the centre, in absolute units
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, input, sizeof input[0]);
}
// Counts what reaches the window and sends what it is asked to; true for a timer tick.
static bool CountAndSend(UINT message)
{
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
        ++keysReceived;
    if (message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST)
        ++buttonsReceived;
    if (message == WM_APP || message == WM_APP + 1)
        SendPress(message == WM_APP);
    return message == WM_TIMER;
}

// The program a user went back to after starting Hoplette, where Windows
// gives a timed show the foreground (no lock keeps it): it takes the
// foreground at its start and never again.
static LRESULT CALLBACK OnceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CountAndSend(message))
        ShowCounts(window);
    return ParentProc(window, message, wParam, lParam);
}

static LRESULT CALLBACK LockProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CountAndSend(message)) {
        if (GetForegroundWindow() != window) {
            SetForegroundWindow(window);
            SetFocus(window);
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
        ShowCounts(window);
    }
    return ParentProc(window, message, wParam, lParam);
}

// Another program in front of Hoplette, full screen or maximized.
static int RunCover(const char* kind)
{
    bool caption = std::strcmp(kind, "bare") != 0;
    bool lock = std::strcmp(kind, "lock") == 0, once = std::strcmp(kind, "once") == 0;
    RegisterWhiteClass("ProbeCover", lock ? LockProc : once ? OnceProc : CoverProc);
    HWND cover = CreateWindowExA(0, "ProbeCover", "cover", caption ? WS_OVERLAPPEDWINDOW : WS_POPUP, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (cover == nullptr)
        return 1;
    ShowWindow(cover, caption ? SW_SHOWMAXIMIZED : SW_SHOW);
    SetForegroundWindow(cover);
    SetTimer(cover, 1, 20, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

static BOOL CALLBACK PrintChild(HWND child, LPARAM parent)
{
    if (GetParent(child) != reinterpret_cast<HWND>(parent))
        return TRUE;
    char className[128];
    RECT box;
    GetClassNameA(child, className, sizeof className);
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&box), 2);
    std::printf("%s %ld %ld %ld %ld %d\n", className, box.left, box.top, box.right - box.left, box.bottom - box.top,
                IsWindowVisible(child) ? 1 : 0);
    return TRUE;
}

int main(int argc, char** argv)
{
    // Sizes and places in real pixels at every display scale, as the program sees them.
    typedef BOOL(WINAPI * SetAwareCall)();
    SetAwareCall setAware = reinterpret_cast<SetAwareCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware")));
    if (setAware != nullptr)
        setAware();
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
        long times = argc >= 7 ? std::strtol(argv[6], nullptr, 0) : 1;
        for (long i = 0; i < times; ++i)
            if (!PostMessageA(window, message, wParam, lParam))
                return 1;
        return 0;
    }
    if (argc >= 6 && std::strcmp(argv[1], "send") == 0) {
        HWND window = FindByClass(argv[2]);
        if (window == nullptr)
            return 1;
        DWORD_PTR answer = 0;
        return SendMessageTimeoutA(window, (UINT)std::strtoul(argv[3], nullptr, 0),
                                   (WPARAM)std::strtoul(argv[4], nullptr, 0), (LPARAM)std::strtol(argv[5], nullptr, 0),
                                   SMTO_ABORTIFHUNG, 5000, &answer)
                 ? 0
                 : 1;
    }
    if (argc >= 2 && std::strcmp(argv[1], "acp") == 0) {
        std::printf("%u\n", GetACP());
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "parent") == 0)
        return RunParent(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc >= 3 && std::strcmp(argv[1], "children") == 0) {
        HWND parent = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoul(argv[2], nullptr, 10)));
        if (!IsWindow(parent))
            return 1;
        EnumChildWindows(parent, PrintChild, reinterpret_cast<LPARAM>(parent));
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "cover") == 0)
        return RunCover(argv[2]);
    if (argc >= 4 && std::strcmp(argv[1], "at") == 0) {
        POINT point = {std::atol(argv[2]), std::atol(argv[3])};
        char className[128] = "";
        GetClassNameA(WindowFromPoint(point), className, sizeof className);
        std::printf("%s\n", className);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "foreground") == 0) {
        char className[128] = "";
        GetClassNameA(GetForegroundWindow(), className, sizeof className);
        std::printf("%s\n", className);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "screen") == 0) {
        GetDesktopWindow(); // the desktop's process sets up the display first
        std::printf("%d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        return 0;
    }
    std::fprintf(stderr, "usage: probe window CLASS | windows | post CLASS MSG W L | send CLASS MSG W L | acp | parent W H | children HANDLE"
                         " | cover bare|caption|lock|once | at X Y | foreground | screen\n");
    return 2;
}
