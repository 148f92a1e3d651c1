add_e2e_test(startup startup.sh)
