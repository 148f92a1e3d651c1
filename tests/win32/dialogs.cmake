# The settings dialogs, the About box, the popup menu and their compiled templates.
add_wine_test(test_resources tests/win32/test_resources.cpp)
target_link_libraries(test_resources PRIVATE version)
add_wine_test(test_dialogs tests/win32/test_dialogs.cpp)
add_wine_test(test_menu tests/win32/test_menu.cpp)
