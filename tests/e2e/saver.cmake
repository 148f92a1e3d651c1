# Hoplette.scr driven as Windows drives it, beside the program in one folder.
add_e2e_test(saver saver.sh)
set_property(TEST e2e.saver APPEND PROPERTY ENVIRONMENT "HOPLETTE_SCR=$<TARGET_FILE:HopletteSaver>")
