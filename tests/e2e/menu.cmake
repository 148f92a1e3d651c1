# The popup menu and its commands on the real program.
add_e2e_test(menu menu.sh)
