# The release archive, made from this build and the 64-bit one beside it.
add_e2e_test(dist dist.sh)
set_property(TEST e2e.dist APPEND PROPERTY ENVIRONMENT "HOPLETTE_EXE64=${CMAKE_BINARY_DIR}/../win64/Hoplette.exe")
