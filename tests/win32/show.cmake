add_wine_test(test_show tests/win32/test_show.cpp)
