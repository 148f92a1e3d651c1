# Checks on the committed pictures: their format, and that the generator
# still makes exactly these bytes.
find_package(Python3 COMPONENTS Interpreter REQUIRED)

add_test(NAME pictures.format
         COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/pictures/check_pictures.py
                 ${PROJECT_SOURCE_DIR}/src/resources)
add_test(NAME pictures.reproducible
         COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/pictures/check_reproducible.py)
set_tests_properties(pictures.format pictures.reproducible PROPERTIES TIMEOUT 300)
