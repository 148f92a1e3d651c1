#!/usr/bin/env bash
# The display's mode changes while the program runs (xrandr on Xorg's dummy
# driver, one monitor): the park window keeps to its corner, minimized too,
# the next show covers the new screen, and a show running through a change
# covers the new screen at once, with none of the (white) desktop left.
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

park_at() { [ "$(probe window ParkClass | awk '{ print $1, $2, $3, $4, $7 }')" = "$*" ]; } # x y w h iconic
show_boxes() { probe windows | awk 'tolower($1) == "static" { print $2, $3, $4, $5 }' | sort | tr '\n' ,; }
halves_on() { # halves_on W H: Double mode's two windows cover a W x H screen
    [ "$(show_boxes)" = "$(printf '%s\n' "0 0 $(($1 / 2)) $2" "$(($1 / 2)) 0 $(($1 - $1 / 2)) $2" | sort | tr '\n' ,)" ]
}
mode() { step "xrandr to $1"; xrandr --output DUMMY0 --mode "$1" --rate 60; }
start_show() { probe post ParkClass 0x0111 10029 0; } # TestBournce
end_show() { xdotool key space; wait_for 5 eval '[ -z "$(show_boxes)" ]'; }
white_pixels() {
    import -window root png:- | convert - -crop 1024x768+0+0 +repage -fill black +opaque white \
        -format '%[fx:int(w*h*mean)]' info: 2>/dev/null
}

new_program_folder
printf '[bounceinit]\r\nTimeInterval=60\r\nBowlNo_1=10016\r\nBowlNo_2=10015\r\n' >"$PROGRAM_DIR/Hoplette.ini"
start_program
check "the park window at its corner of 1024 x 768" park_at 0 688 96 78 0
mode 800x600
check "800 x 600: the park window at its new corner" wait_for 10 park_at 0 520 96 78 0
start_show
check "800 x 600: the next show covers the new screen ($(show_boxes))" wait_for 10 halves_on 800 600
sleep 0.5
mode 1024x768
check "the show through 800 x 600 -> 1024 x 768 covers the new screen ($(show_boxes))" wait_for 10 halves_on 1024 768
sleep 0.3
check "none of the desktop left ($(white_pixels) white pixels)" [ "$(white_pixels)" = 0 ]
end_show
check "1024 x 768: after the show the park window at its corner" wait_for 10 park_at 0 688 96 78 0

probe post ParkClass 0x0112 0xF020 0 # SC_MINIMIZE
minimized() { probe window ParkClass | grep -q " 1 1 Fire$"; }
wait_for 5 minimized
mode 800x600
sleep 1.5
check "minimized through 1024 x 768 -> 800 x 600, it stays minimized" minimized
probe post ParkClass 0x0112 0xF120 0 # SC_RESTORE
check "restored, it is at the new corner" wait_for 5 park_at 0 520 96 78 0
rm -rf "$PROGRAM_DIR"
finish
