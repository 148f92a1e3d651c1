add_wine_test(test_show tests/win32/test_show.cpp)
# An odd width: the right show window must reach the last column.
add_wine_run(win32.test_show.1365x768 1365x768x24 test_show)
