# The program while the display's mode changes under it.
add_e2e_test(desktop desktop.sh)
