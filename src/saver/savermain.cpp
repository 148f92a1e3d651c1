// Hoplette.scr's entry point: what Windows asks of a screen saver, by its command line.
#include <windows.h>

#include "../base/dpi.h"
#include "../base/globals.h"
#include "../base/settings.h"
#include "saver.h"
#include "saverrules.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    // Before any window: Windows then tells every size in real pixels.
    BecomeDpiAware();
    instanceHandle = instance;
    SaverCommand command = ParseSaverCommand(commandLine != nullptr ? commandLine : "");
    if (command.action == SAVER_NOTHING)
        return 0;
    // Window handles are 32-bit values, sign-extended in a 64-bit process.
    HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<int32_t>(command.window)));
    if (command.action == SAVER_PREVIEW && !IsWindow(window))
        return 0;

    // Read as the program reads at start-up, but write nothing: only the
    // settings dialog's OK writes.
    settingsReadOnly = 1;
    WCHAR wideDirectory[PATH_SIZE];
    char ansiDirectory[PATH_SIZE];
    ProgramDirectory(wideDirectory, ansiDirectory);
    LoadSaverSettings(wideDirectory, ansiDirectory);
    switch (command.action) {
    case SAVER_SHOW:
        RunSaverShow();
        return 0;
    case SAVER_PREVIEW:
        RunSaverPreview(window);
        return 0;
    case SAVER_SETTINGS:
        settingsReadOnly = 0;
        // A bare /c comes from a window that wants the dialog over it: the foreground one.
        OpenSaverSettings(command.foregroundOwner ? GetForegroundWindow() : window);
        return 0;
    default:
        return 0;
    }
}
