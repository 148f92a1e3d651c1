add_wine_test(test_park tests/win32/test_park.cpp)
