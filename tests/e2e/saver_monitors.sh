#!/usr/bin/env bash
# Hoplette.scr /s with two monitors: the show on the primary one as always,
# the other one covered black until the show ends. Needs HOPLETTE_SCR.
. "$(dirname "$0")/lib.sh"
[ -f "${HOPLETTE_SCR:-}" ] || { echo "FAIL: no Hoplette.scr at '${HOPLETTE_SCR:-}'"; exit 1; }
lock_prefix
stop_wine   # a wineserver left from another display knows only one monitor
if ! start_two_monitor_display; then
    # Xorg with the dummy driver needs root; a normal user's run skips this test.
    [ "$(id -u)" -ne 0 ] && { echo "Skipped: the two-monitor display (Xorg's dummy driver) needs root"; exit 77; }
    exit 1
fi
prepare_prefix

new_program_folder
cp "$HOPLETTE_SCR" "$PROGRAM_DIR/Hoplette.scr"
printf '[bounceinit]\r\nBowlNo_1=10016\r\nBowlNo_2=10015\r\n' >"$PROGRAM_DIR/Hoplette.ini"

wait_for() { # wait_for SECONDS COMMAND...: true once the command is
    local limit=$1 i; shift
    for i in $(seq $((limit * 5))); do "$@" && return 0; sleep 0.2; done
    return 1
}
# The mean and the brightest channel of a part of the screen, 0..255.
light() { import -window root -crop "$1" +repage -format '%[fx:int(255*mean)] %[fx:int(255*maxima)]' info: 2>/dev/null; }
cover() { probe windows | awk '$1 == "HopletteCover" { print $2, $3, $4, $5 }'; }
double_show() { [ "$(probe windows | grep -ci '^static 0 0 512 768 \|^static 512 0 512 768 ')" = 2 ]; }
second_black() { [ "$(light 800x600+1024+0)" = "0 0" ]; }
second_white() { [ "$(light 800x600+1024+0)" = "255 255" ]; }

# A white desktop, so that a missing cover shows.
xsetroot -solid white
xdotool mousemove 500 400
check "the second monitor is white before the show" second_white
(cd / && exec wine "$PROGRAM_DIR/Hoplette.scr" /s) &
PROGRAM_PID=$!
check "the Double show on the primary monitor" wait_for 10 double_show
check "a cover exactly over the second monitor ($(cover))" [ "$(cover)" = "1024 0 800 600" ]
check "the second monitor is black" wait_for 5 second_black
read -r mean most <<<"$(light 1024x768+0+0)"
check "the primary monitor: bright pictures on black ($mean $most)" [ "${mean:-255}" -lt 60 -a "${most:-0}" -gt 150 ]
xdotool key space
wait_program_exit
check "a key ends the show with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
check "the cover is gone" [ -z "$(cover)" ]
check "the second monitor is white again" wait_for 5 second_white
rm -rf "$PROGRAM_DIR"
finish
