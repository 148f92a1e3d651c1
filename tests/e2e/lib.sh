# Sourced by the end-to-end scripts: runs the real Hoplette.exe from a fresh
# temporary folder on a private display, with helpers to look at it.
#   $1  Hoplette.exe   $2  the folder holding probe.exe
set -u
E2E_EXE=$1
E2E_TOOLS=$2
HOPLETTE_PROBE=$E2E_TOOLS/probe.exe
. "$(dirname "${BASH_SOURCE[0]}")/../wine/session.sh"
skip_if_suite_cannot_run

passed=0
failed=0
check() { # check DESCRIPTION COMMAND...
    local what=$1; shift
    step "checking: $what"
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}
finish() {
    stop_program
    end_session
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
    exit $?
}

# A fresh program folder holding a copy of Hoplette.exe (and an optional settings file).
new_program_folder() {
    PROGRAM_DIR=$(mktemp -d "${TMPDIR:-/tmp}/hoplette-e2e.XXXXXX")
    cp "$E2E_EXE" "$PROGRAM_DIR/Hoplette.exe"
}


PROGRAM_PID=
PROGRAM_NAME=Hoplette.exe
start_program() {
    # Started from elsewhere: the program finds its folder from its own path,
    # and Wine cannot take a working folder as long as some tests make.
    (cd / && exec wine "$PROGRAM_DIR/$PROGRAM_NAME") &
    PROGRAM_PID=$!
    wait_for_window ParkClass
}
# The program's exit code, once it has ended (waits up to 15 s; a program
# still running then is ended, and its code is then 143 or 137).
wait_program_exit() {
    reap "$PROGRAM_PID" 15
    PROGRAM_STATUS=$REAPED_STATUS
    PROGRAM_PID=
}
stop_program() {
    [ -n "$PROGRAM_PID" ] && { kill "$PROGRAM_PID" 2>/dev/null; reap "$PROGRAM_PID" 5; }
    PROGRAM_PID=
}

# (A probe stuck in Wine is ended after 20 s and answers nothing.)
probe() { timeout -k 5 20 wine "$E2E_TOOLS/probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
window_there() { [ -n "$(probe window "$1")" ]; }
wait_for_window() { # wait_for_window CLASS: up to 20 s
    wait_for 20 window_there "$1"
}
# RGB of one screen pixel as "r g b" (0..255).
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
# "r g b" averaged over the non-black pixels of a part of the screen.
body_colour() {
    import -window root png:- | convert - -crop "$1" +repage -fuzz 2% -transparent black -resize '1x1!' \
        -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info: 2>/dev/null
}
# A Double show of 1024 x 768 with the Sun on the left and Saturn on the right:
# two checks, named after the prefix given.
check_sun_and_saturn() {
    local lr lg lb rr rg rb
    read -r lr lg lb <<<"$(body_colour 512x768+0+0)"
    read -r rr rg rb <<<"$(body_colour 512x768+512+0)"
    check "$1the Sun on the left: orange (rgb $lr $lg $lb)" [ "${lr:-0}" -gt 180 -a "${lb:-255}" -lt 90 ]
    check "$1Saturn on the right: pale gold (rgb $rr $rg $rb)" [ "${rb:-0}" -ge 90 -a "${rr:-0}" -gt "${rb:-255}" ]
}
