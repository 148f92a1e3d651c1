# Code that needs no Windows header: built into the program and, natively, into the unit tests.
set(HOPLETTE_PORTABLE_SOURCES
    src/catalogue/catalogue.cpp
    src/base/numbers.cpp
    src/base/paths.cpp
    src/base/scale.cpp
    src/app/waitrule.cpp
    src/app/fullscreenrules.cpp
    src/app/desktoprules.cpp
    src/saver/saverrules.cpp
    src/show/ball.cpp
    src/show/frame.cpp
    src/show/heldinput.cpp
    src/show/soundimage.cpp
)

# The Win32 glue around it. WinMain stays out so that tests can link the rest.
set(HOPLETTE_WIN32_SOURCES
    src/base/globals.cpp
    src/base/settings.cpp
    src/base/programdirectory.cpp
    src/base/dpi.cpp
    src/app/park.cpp
    src/app/fullscreen.cpp
    src/app/menu.cpp
    src/saver/saver.cpp
    src/dialogs/scrnsaver.cpp
    src/dialogs/bowlselect.cpp
    src/dialogs/about.cpp
    src/saver/saversetup.cpp
    src/show/ballanim.cpp
    src/show/showrun.cpp
    src/show/inputhook.cpp
    src/show/display.cpp
    src/show/clock.cpp
    src/saver/preview.cpp
    src/show/sound.cpp
)
