// What makes a window look like a full-screen program, and which of
// Windows' notification states say the user is busy or away.
#pragma once
#include <cstdint>

#include "../base/screenbox.h"

// WS_CAPTION: a title bar takes both of its bits, WS_BORDER and WS_DLGFRAME.
constexpr uint32_t CAPTION_STYLE = 0x00C00000;

// Whether a window looks like a full-screen program (a video, a game, a slide
// show): no caption, and a rectangle that covers the whole of its monitor,
// a larger one too. An empty monitor rectangle is covered by nothing.
bool LooksFullScreen(ScreenBox window, ScreenBox monitor, uint32_t style);

// The shell's windows behind everything else: Progman and WorkerW hold the
// desktop's icons and wallpaper. Letter case does not count.
bool IsShellWindowClass(const char* className);

// SHQueryUserNotificationState's answers that count. Not present: a screen
// saver, a locked screen or another user's session in front.
constexpr int32_t QUNS_NOT_PRESENT_STATE = 1;
constexpr int32_t QUNS_D3D_FULL_SCREEN_STATE = 3;
constexpr int32_t QUNS_PRESENTATION_STATE = 4;
// True for a Direct3D game or a presentation. QUNS_BUSY (2) alone is not:
// some overlays keep it for hours with an ordinary window in front.
bool NotificationStateBusy(int32_t state);
