# Hoplette.scr's code in-process, linked with the screen saver's own resources.
function(add_saver_wine_test name)
  set(HOPLETTE_RC ${HOPLETTE_SAVER_RC})
  add_wine_test(${name} ${ARGN})
endfunction()
add_saver_wine_test(test_saver tests/win32/test_saver.cpp)
# The saver's templates, name and version information, by the program's resource test.
add_saver_wine_test(test_resources_saver tests/win32/test_resources.cpp)
target_compile_definitions(test_resources_saver PRIVATE HOPLETTE_SAVER_RESOURCES)
target_link_libraries(test_resources_saver PRIVATE version)
