# Native build of the code that needs no Windows header, under the sanitizers.
set(HOPLETTE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(hoplette_portable STATIC ${HOPLETTE_PORTABLE_SOURCES})
target_compile_options(hoplette_portable PUBLIC -Wall -Wextra -g ${HOPLETTE_SANITIZE})
target_link_options(hoplette_portable PUBLIC ${HOPLETTE_SANITIZE})
target_include_directories(hoplette_portable PUBLIC src)

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB HOST_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/host/*.cpp)
add_executable(host_tests ${HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE hoplette_portable GTest::gtest_main)
gtest_discover_tests(host_tests TEST_PREFIX "host." DISCOVERY_TIMEOUT 60)

# The generated media: the pictures and the sample sound.
include(tests/pictures/pictures.cmake)
include(tests/sound/sound.cmake)

# Source folders include only the folders below them.
add_test(NAME host.include_direction
         COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/layout/include_direction.py ${PROJECT_SOURCE_DIR}/src)
