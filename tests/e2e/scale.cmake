# The real program and screen saver at 144 and 192 DPI, each scale in a
# prefix of its own.
foreach(dpi 144 192)
  add_e2e_test(scale.${dpi}dpi scale.sh)
  set_property(TEST e2e.scale.${dpi}dpi APPEND PROPERTY ENVIRONMENT "HOPLETTE_DPI=${dpi}")
endforeach()
