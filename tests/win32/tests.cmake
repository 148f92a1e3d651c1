# Tests that run the cross-compiled code under Wine, each on its own virtual
# display, all in one private prefix inside the build folder.
set(WINE_RUN ${PROJECT_SOURCE_DIR}/tests/wine/wine-run.sh)
set(HOPLETTE_TEST_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_RUN})

# Which suite a test belongs to: on a machine that runs no 32-bit programs the
# 32-bit suite's tests report themselves skipped (exit code 77).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(HOPLETTE_SUITE_BITS 64)
else()
  set(HOPLETTE_SUITE_BITS 32)
endif()
set(HOPLETTE_WINE_ENV "WINEPREFIX=${HOPLETTE_TEST_PREFIX};HOPLETTE_SUITE_BITS=${HOPLETTE_SUITE_BITS}")
set(HOPLETTE_WINE_TEST_PROPERTIES SKIP_RETURN_CODE 77 FIXTURES_REQUIRED wineprefix TIMEOUT 300)

# Making the prefix takes a while, once; every other Wine test needs it.
add_test(NAME wine.prefix COMMAND ${WINE_RUN} cmd /c exit 0)
set_tests_properties(wine.prefix PROPERTIES
    ENVIRONMENT "${HOPLETTE_WINE_ENV}" TIMEOUT 600 SKIP_RETURN_CODE 77 FIXTURES_SETUP wineprefix)

# A Wine test of a program already built, on a screen of the given size (or the default).
function(add_wine_run name screen)
  add_test(NAME ${name} COMMAND ${ARGN})
  set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "${HOPLETTE_WINE_ENV};HOPLETTE_SCREEN=${screen}" ${HOPLETTE_WINE_TEST_PROPERTIES})
endfunction()

# A test program linked with the program's code and resources, run by the emulator.
function(add_wine_test name)
  add_executable(${name} ${ARGN} ${HOPLETTE_RC})
  target_link_libraries(${name} PRIVATE hoplette_win)
  target_link_options(${name} PRIVATE ${HOPLETTE_STATIC_LINK})
  add_wine_run(win32.${name} "" ${name})
endfunction()

# The 32-bit and the 64-bit build register the same tests.
file(GLOB WIN32_TEST_CMAKE CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win32/*.cmake)
list(REMOVE_ITEM WIN32_TEST_CMAKE ${PROJECT_SOURCE_DIR}/tests/win32/tests.cmake)
foreach(fragment ${WIN32_TEST_CMAKE})
  include(${fragment})
endforeach()
include(${PROJECT_SOURCE_DIR}/tests/e2e/e2e.cmake)
