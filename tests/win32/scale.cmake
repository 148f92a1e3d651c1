# The program at the display's scale, on a screen of 1024 x 768 96-DPI units:
# at 96 DPI in the shared prefix, at 144 and 192 in prefixes of their own.
# Each compares the show's planet with the picture tool's rendering at its size.
add_wine_test(test_scale tests/win32/test_scale.cpp)
add_dependencies(test_scale HopletteSaver)
function(scale_reference dpi size)
  set(folder ${CMAKE_BINARY_DIR}/reference/${size})
  if(size EQUAL 164)
    set(picture ${PROJECT_SOURCE_DIR}/src/resources/mars.bmp)
  else()
    set(picture ${folder}/mars.bmp)
    add_custom_command(OUTPUT ${picture}
        COMMAND python3 ${PROJECT_SOURCE_DIR}/tools/make_pictures.py --size ${size} --only mars --out ${folder}
        DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_pictures.py)
    add_custom_target(scale_reference_${size} ALL DEPENDS ${picture})
  endif()
  # Wine finds a Unix path through its drive Z:.
  string(REPLACE "/" "\\" windows_picture "Z:${picture}")
  set(HOPLETTE_REFERENCE_${dpi} "${windows_picture}" PARENT_SCOPE)
endfunction()
foreach(dpi 96 144 192)
  math(EXPR size "(164 * ${dpi} + 48) / 96")
  math(EXPR width "1024 * ${dpi} / 96")
  math(EXPR height "768 * ${dpi} / 96")
  scale_reference(${dpi} ${size})
  if(dpi EQUAL 96)
    set(name win32.test_scale)
  else()
    set(name win32.test_scale.${dpi}dpi)
    add_wine_run(${name} ${width}x${height}x24 test_scale)
  endif()
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
      "HOPLETTE_DPI=${dpi}" "HOPLETTE_REFERENCE=${HOPLETTE_REFERENCE_${dpi}}")
endforeach()
