#!/usr/bin/env bash
# The real program and screen saver at a display scale (HOPLETTE_DPI, 144 or
# 192), on a screen of 1024 x 768 96-DPI units: the park window at its scaled
# size at the corner, and a test show and the saver's show over the whole
# real screen with the planet at the scale.
. "$(dirname "$0")/lib.sh"
dpi=${HOPLETTE_DPI:-96}
scaled() { echo $(( ($1 * dpi + 48) / 96 )); }
width=$(( 1024 * dpi / 96 )) height=$(( 768 * dpi / 96 ))
begin_session "${width}x${height}x24"

new_program_folder
printf '[bounceinit]\r\nTimeInterval=5\r\nSpeed=99999\r\n' >"$PROGRAM_DIR/Hoplette.ini"
start_program
read -r x y w h _ <<<"$(probe window ParkClass)"
check "park window at (0,$(( height - $(scaled 80) ))) on the ${width}x$height screen at $dpi DPI (got $x,$y)" \
    [ "$x,$y" = "0,$(( height - $(scaled 80) ))" ]
check "park window measures $(scaled 96) x $(scaled 78) (got ${w}x$h)" [ "${w}x$h" = "$(scaled 96)x$(scaled 78)" ]

# A test show of Mars (the menu's "Mars" item) at the slowest speed: its one
# frame stands, the planet in the middle of the screen at the scale.
probe post ParkClass 0x0111 10013 0   # WM_COMMAND, IDM_MARS
sleep 2
# The body's extent: the picture's square holds a round body a little smaller.
body=$(( 150 * dpi / 96 ))
body_fits() { # body_fits: the only thing on the screen is a body $body pixels across, give or take 8
    read -r bw bh <<<"$(import -window root png:- | convert - -fuzz 3% -trim -format '%w %h' info: 2>/dev/null)"
    [ $(( ${bw:-0} >= body - 8 && ${bw:-0} <= body + 8 && ${bh:-0} >= body - 8 && ${bh:-0} <= body + 8 )) -eq 1 ]
}
check "the show's Mars is about $body pixels across at $dpi DPI" body_fits
xdotool key space
sleep 1
probe post ParkClass 0x0010 0 0   # WM_CLOSE
wait_program_exit
check "the program ends with exit code 0 (got $PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]

# The saver's show of Mars, its one frame standing: the same size.
saver=$(dirname "$E2E_EXE")/Hoplette.scr
if [ -f "$saver" ] && [ "$(program_bits "$saver")" = 32 ] && [ "$HOPLETTE_WIN32_RUNS" != yes ]; then
    echo "Not started: Hoplette.scr (32-bit) on a machine that runs no 32-bit programs"
elif [ -f "$saver" ]; then
    cp "$saver" "$PROGRAM_DIR/Hoplette.scr"
    printf '[bounceinit]\r\nSpeed=99999\r\nSaverShow=10013\r\n' >"$PROGRAM_DIR/Hoplette.ini"
    (cd / && exec wine "$PROGRAM_DIR/Hoplette.scr" /s) &
    saver_pid=$!
    wait_for 20 window_there HopletteSaver
    sleep 2
    check "the saver's Mars is about $body pixels across at $dpi DPI" body_fits
    xdotool key space
    reap "$saver_pid" 15
    check "the saver ends with exit code 0 (got $REAPED_STATUS)" [ "$REAPED_STATUS" -eq 0 ]
fi
finish
