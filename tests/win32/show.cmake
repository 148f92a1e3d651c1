add_wine_test(test_show tests/win32/test_show.cpp)
# An odd width: the right show window must reach the last column.
add_test(NAME win32.test_show.1365x768 COMMAND test_show)
set_tests_properties(win32.test_show.1365x768 PROPERTIES
    ENVIRONMENT "WINEPREFIX=${HOPLETTE_TEST_PREFIX};HOPLETTE_SCREEN=1365x768x24"
    TIMEOUT 300 FIXTURES_REQUIRED wineprefix)
