# The Windows program and the tests that run it under Wine.
enable_language(RC)

# Message texts are written in UTF-8 and must reach MessageBoxA as code page 932.
set(HOPLETTE_WIN32_FLAGS -Wall -Wextra -fexec-charset=CP932 -fno-exceptions)
set(HOPLETTE_WIN32_LIBS winmm gdi32 user32 kernel32)

add_library(hoplette_win STATIC ${HOPLETTE_PORTABLE_SOURCES} ${HOPLETTE_WIN32_SOURCES})
target_compile_options(hoplette_win PUBLIC ${HOPLETTE_WIN32_FLAGS})
target_compile_definitions(hoplette_win PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)
# The version lives in CMakeLists.txt; the resources and the archive take it from there.
configure_file(src/resources/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
target_include_directories(hoplette_win PUBLIC src ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(hoplette_win PUBLIC ${HOPLETTE_WIN32_LIBS})

set(HOPLETTE_RC ${PROJECT_SOURCE_DIR}/src/resources/hoplette.rc)
file(GLOB HOPLETTE_RESOURCE_FILES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/resources/*.rc ${PROJECT_SOURCE_DIR}/src/resources/*.h
     ${PROJECT_SOURCE_DIR}/src/resources/*.bmp ${PROJECT_SOURCE_DIR}/src/resources/*.ico)
set_source_files_properties(${HOPLETTE_RC} PROPERTIES OBJECT_DEPENDS "${HOPLETTE_RESOURCE_FILES}")

# Statically linked: the program needs no DLL beyond Windows' own.
set(HOPLETTE_STATIC_LINK -static -static-libgcc -static-libstdc++)

add_executable(Hoplette WIN32 src/app/winmain.cpp ${HOPLETTE_RC})
target_link_libraries(Hoplette PRIVATE hoplette_win)
target_link_options(Hoplette PRIVATE ${HOPLETTE_STATIC_LINK})

# Hoplette.scr, the screen saver: the same show and settings file, started by
# Windows with a screen saver's command lines. Its resources add its name,
# its settings dialog and version information of its own.
set(HOPLETTE_SAVER_RC ${PROJECT_SOURCE_DIR}/src/resources/saver.rc)
set_source_files_properties(${HOPLETTE_SAVER_RC} PROPERTIES OBJECT_DEPENDS "${HOPLETTE_RESOURCE_FILES}")
add_executable(HopletteSaver WIN32 src/saver/savermain.cpp ${HOPLETTE_SAVER_RC})
set_target_properties(HopletteSaver PROPERTIES OUTPUT_NAME Hoplette SUFFIX .scr)
target_link_libraries(HopletteSaver PRIVATE hoplette_win)
target_link_options(HopletteSaver PRIVATE ${HOPLETTE_STATIC_LINK})

# The saver's preview in a window of its own process, for tools/screenshots.sh.
add_executable(saver_preview WIN32 tools/saver_preview.cpp ${HOPLETTE_SAVER_RC})
target_link_libraries(saver_preview PRIVATE hoplette_win)
target_link_options(saver_preview PRIVATE ${HOPLETTE_STATIC_LINK})

include(tests/win32/tests.cmake)

# Benchmarks (tools/bench.sh runs them): start-up against a minimal window
# program, and the show's frame rate and costs.
add_executable(launch tools/bench/launch.cpp)
add_executable(minimal WIN32 tools/bench/minimal.cpp)
add_executable(bench_show tools/bench/bench_show.cpp ${HOPLETTE_RC})
target_link_libraries(bench_show PRIVATE hoplette_win)
foreach(tool launch minimal bench_show)
  target_compile_options(${tool} PRIVATE -Wall -Wextra)
  target_link_options(${tool} PRIVATE ${HOPLETTE_STATIC_LINK})
endforeach()
