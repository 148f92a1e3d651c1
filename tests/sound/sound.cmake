# Checks on the shipped edge sound: its format and shape, and that the
# generator still makes exactly these bytes.
find_package(Python3 COMPONENTS Interpreter REQUIRED)

add_test(NAME sound.boing
         COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/sound/check_boing.py
                 ${PROJECT_SOURCE_DIR}/sounds/boing.wav)
set_tests_properties(sound.boing PROPERTIES TIMEOUT 120)
