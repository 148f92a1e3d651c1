# Tests that run the cross-compiled code under Wine, each on its own virtual
# display, all in one private prefix inside the build folder.
set(WINE_RUN ${PROJECT_SOURCE_DIR}/tests/wine/wine-run.sh)
set(HOPLETTE_TEST_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_RUN})

# Making the prefix takes a while, once; every other Wine test needs it.
add_test(NAME wine.prefix COMMAND ${WINE_RUN} cmd /c exit 0)
set_tests_properties(wine.prefix PROPERTIES
    ENVIRONMENT "WINEPREFIX=${HOPLETTE_TEST_PREFIX}" TIMEOUT 600 FIXTURES_SETUP wineprefix)

# A test program linked with the program's code and resources, run by the emulator.
function(add_wine_test name)
  add_executable(${name} ${ARGN} ${HOPLETTE_RC})
  target_link_libraries(${name} PRIVATE hoplette_win)
  target_link_options(${name} PRIVATE ${HOPLETTE_STATIC_LINK})
  add_test(NAME win32.${name} COMMAND ${name})
  set_tests_properties(win32.${name} PROPERTIES
      ENVIRONMENT "WINEPREFIX=${HOPLETTE_TEST_PREFIX};HOPLETTE_SCREEN=${HOPLETTE_SCREEN_${name}}"
      TIMEOUT 300 FIXTURES_REQUIRED wineprefix)
endfunction()

# A script that drives the real Hoplette.exe; it gets the program and the tools folder.
function(add_e2e_test name script)
  add_test(NAME e2e.${name}
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/${script} $<TARGET_FILE:Hoplette> $<TARGET_FILE_DIR:probe>)
  set_tests_properties(e2e.${name} PROPERTIES
      ENVIRONMENT "WINEPREFIX=${HOPLETTE_TEST_PREFIX}" TIMEOUT 300 FIXTURES_REQUIRED wineprefix)
endfunction()

# Tells the end-to-end scripts about windows from inside Wine.
add_executable(probe tests/e2e/probe.cpp)
target_compile_options(probe PRIVATE -Wall -Wextra)
target_link_options(probe PRIVATE ${HOPLETTE_STATIC_LINK})

# The 64-bit build is checked by starting and closing the real program; the
# rest of the tests run against the 32-bit build, the one that ships first.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_e2e_test(startup64 startup.sh)
  set_property(TEST e2e.startup64 APPEND PROPERTY ENVIRONMENT "HOPLETTE_E2E_64=1")
  return()
endif()

file(GLOB WIN32_TEST_CMAKE CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win32/*.cmake)
list(REMOVE_ITEM WIN32_TEST_CMAKE ${PROJECT_SOURCE_DIR}/tests/win32/tests.cmake)
foreach(fragment ${WIN32_TEST_CMAKE})
  include(${fragment})
endforeach()
file(GLOB E2E_TEST_CMAKE CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cmake)
foreach(fragment ${E2E_TEST_CMAKE})
  include(${fragment})
endforeach()
