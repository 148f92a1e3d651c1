# The end-to-end tests: scripts that drive the real Hoplette.exe, each
# registered by a fragment of this folder.

# A script gets the program and the tools folder.
function(add_e2e_test name script)
  add_wine_run(e2e.${name} "" bash ${PROJECT_SOURCE_DIR}/tests/e2e/${script} $<TARGET_FILE:Hoplette> $<TARGET_FILE_DIR:probe>)
endfunction()

# Tells the end-to-end scripts about windows from inside Wine.
add_executable(probe tests/e2e/probe.cpp)
target_compile_options(probe PRIVATE -Wall -Wextra)
target_link_options(probe PRIVATE ${HOPLETTE_STATIC_LINK})

file(GLOB E2E_TEST_CMAKE CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cmake)
list(REMOVE_ITEM E2E_TEST_CMAKE ${PROJECT_SOURCE_DIR}/tests/e2e/e2e.cmake)
foreach(fragment ${E2E_TEST_CMAKE})
  include(${fragment})
endforeach()
