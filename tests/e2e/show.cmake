add_e2e_test(show show.sh)
