# The release archive, made from the 32-bit build beside this one and this
# 64-bit one: registered once, in the 64-bit suite, so that it runs on every
# machine (it starts the archive's 64-bit program where 32-bit ones cannot run).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_e2e_test(dist dist.sh)
  set_property(TEST e2e.dist APPEND PROPERTY ENVIRONMENT "HOPLETTE_EXE32=${CMAKE_BINARY_DIR}/../win32/Hoplette.exe")
endif()
