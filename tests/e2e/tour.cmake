add_e2e_test(tour tour.sh)
