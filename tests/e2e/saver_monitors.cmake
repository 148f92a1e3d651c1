# Hoplette.scr /s on a display with two monitors.
add_e2e_test(saver_monitors saver_monitors.sh)
set_property(TEST e2e.saver_monitors APPEND PROPERTY ENVIRONMENT "HOPLETTE_SCR=$<TARGET_FILE:HopletteSaver>")
