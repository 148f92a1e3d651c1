#!/usr/bin/env bash
# The display's mode changes while the program runs (xrandr on Xorg's dummy
# driver, one monitor): the park window keeps to its corner, the next show
# covers the new screen, and a show running through a change covers the new
# screen at once, with none of the desktop left.
. "$(dirname "$0")/lib.sh"
lock_prefix
start_watchdog

if ! start_two_monitor_display right; then
    # Xorg with the dummy driver needs root; a normal user's run skips this test.
    [ "$(id -u)" -ne 0 ] && { echo "Skipped: the dummy display (Xorg's dummy driver) needs root"; exit 77; }
    check "the dummy display" false
    finish
fi
xrandr --output DUMMY1 --off
prepare_prefix
use_silent_sound_device
xsetroot -solid white

park_box() { probe window ParkClass | awk '{ print $1, $2, $3, $4 }'; }
show_boxes() { probe windows | awk 'tolower($1) == "static" { print $2, $3, $4, $5 }' | sort | tr '\n' ,; }
halves() { # halves W H: Double mode's two windows on a W x H screen
    printf '%s\n' "0 0 $(($1 / 2)) $2" "$(($1 / 2)) 0 $(($1 - $1 / 2)) $2" | sort | tr '\n' ,
}
mode() { # mode WxH
    step "xrandr to $1"
    xrandr --output DUMMY0 --mode "$1" --rate 60
}
start_show() { probe post ParkClass 0x0111 10029 0; } # TestBournce
end_show() {
    xdotool key space
    wait_for 5 eval '[ -z "$(show_boxes)" ]'
}
# Pure white pixels, the desktop's colour, in a part of the screen.
white_pixels() {
    import -window root png:- | convert - -crop "$1" +repage -fill black +opaque white -fill white -opaque white \
        -format '%[fx:int(w*h*mean)]' info: 2>/dev/null
}

new_program_folder
printf '[bounceinit]\r\nTimeInterval=60\r\nBowlNo_1=10016\r\nBowlNo_2=10015\r\n' >"$PROGRAM_DIR/Hoplette.ini"
start_program
check "the park window at its corner of 1024 x 768 ($(park_box))" [ "$(park_box)" = "0 688 96 78" ]

mode 800x600
check "800 x 600: the park window goes to its new corner ($(park_box))" wait_for 10 eval '[ "$(park_box)" = "0 520 96 78" ]'
start_show
check "800 x 600: the next show covers the new screen ($(show_boxes))" \
    wait_for 10 eval '[ "$(show_boxes)" = "$(halves 800 600)" ]'
end_show

start_show
wait_for 10 eval '[ "$(show_boxes)" = "$(halves 800 600)" ]'
sleep 0.5
mode 1024x768
check "a show through 800 x 600 -> 1024 x 768 takes the new screen ($(show_boxes))" \
    wait_for 10 eval '[ "$(show_boxes)" = "$(halves 1024 768)" ]'
sleep 0.3
check "none of the desktop left ($(white_pixels 1024x768+0+0) white pixels)" [ "$(white_pixels 1024x768+0+0)" = 0 ]
screen_sum() { import -window root -crop 1024x768+0+0 +repage -depth 8 rgb:- 2>/dev/null | md5sum; }
before=$(screen_sum)
sleep 0.5
check "the pictures go on moving" [ "$(screen_sum)" != "$before" ]
end_show
check "1024 x 768: after the show the park window is back at its corner ($(park_box))" \
    wait_for 10 eval '[ "$(park_box)" = "0 688 96 78" ]'
start_show
check "1024 x 768: the next show covers the whole screen ($(show_boxes))" \
    wait_for 10 eval '[ "$(show_boxes)" = "$(halves 1024 768)" ]'
end_show

# Minimized, it keeps the rule for its restored place and stays minimized.
iconic() { probe window ParkClass | awk '{ print $7 }'; }
probe post ParkClass 0x0112 0xF020 0 # SC_MINIMIZE
wait_for 5 eval '[ "$(iconic)" = 1 ]'
mode 800x600
sleep 1.5
check "a minimized park window stays minimized through 1024 x 768 -> 800 x 600" [ "$(iconic)" = 1 ]
probe post ParkClass 0x0112 0xF120 0 # SC_RESTORE
check "restored, it is at the new corner ($(park_box))" wait_for 5 eval '[ "$(park_box)" = "0 520 96 78" ]'

probe post ParkClass 0x0010 0 0
wait_program_exit
check "exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
rm -rf "$PROGRAM_DIR"
finish
