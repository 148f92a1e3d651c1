# The drawing test runs on screens on both sides of the width thresholds, on
# today's common widths and on an odd one.
add_wine_test(test_ball tests/win32/test_ball.cpp)
foreach(screen 640x480 800x600 1280x1024 1366x768 1367x768 1440x900 1600x900 1680x1050 1920x1080
               2560x1440 3440x1440 3840x2160)
  add_wine_run(win32.test_ball.${screen} ${screen}x24 test_ball)
endforeach()
