add_wine_test(test_settings tests/win32/test_settings.cpp)
