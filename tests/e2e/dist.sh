#!/usr/bin/env bash
# The release archive: made from the built programs, unpacked into a new
# folder, started there under Wine; it writes its settings file beside itself.
. "$(dirname "$0")/lib.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)
exe32=${HOPLETTE_EXE32:-}
exe64=$E2E_EXE
[ -f "$exe32" ] || { echo "FAIL: no 32-bit build at '$exe32' (make test builds it first)"; exit 1; }
begin_session 1024x768x24

work=$(mktemp -d)
zip=$("$root/tools/dist.sh" "$work" "$exe32" "$exe64")
version=$(sed -n 's/^project(Hoplette VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
check "the archive is named for the version ($zip)" [ "$(basename "$zip")" = "Hoplette-$version.zip" ]
listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
expected="Hoplette-$version/ Hoplette-$version/Hoplette-64bit.exe Hoplette-$version/Hoplette.exe Hoplette-$version/Hoplette.scr Hoplette-$version/LICENSE.txt Hoplette-$version/boing.wav Hoplette-$version/readme.txt "
check "the archive holds the programs, the screen saver, the sound, the read-me and the licence, and no settings file ($listing)" [ "$listing" = "$expected" ]
check "the screen saver is the one built beside the program" \
    cmp -s <(unzip -p "$zip" "Hoplette-$version/Hoplette.scr") "$(dirname "$exe32")/Hoplette.scr"
# (A pipe after check would test check's output, not the read-me: hence a function.)
readme_has() { unzip -p "$zip" "Hoplette-$version/readme.txt" | grep -q "$1"; }
check "the read-me tells how to install the screen saver" readme_has 'Hoplette.scr and choose Install'
check "the read-me says it in Japanese too" readme_has 'Hoplette.scr を右クリックして'
check "the read-me names the sound setting" readme_has 'Sound=boing.wav'
check "the read-me says to change the existing Sound= line, not to add one" readme_has 'change the existing line'
second=$(mktemp -d)
"$root/tools/dist.sh" "$second" "$exe32" "$exe64" >/dev/null
check "the archive is the same byte for byte when made again" cmp -s "$zip" "$second/$(basename "$zip")"

unzip -q "$zip" -d "$work/unpacked"
PROGRAM_DIR=$work/unpacked/Hoplette-$version

# Each of the archive's programs that this machine runs, checked the same way:
# a park window, a settings file written beside it, a clean end.
check_unpacked_program() { # check_unpacked_program NAME
    PROGRAM_NAME=$1
    rm -f "$PROGRAM_DIR/Hoplette.ini"
    echo "Starting the archive's $PROGRAM_NAME"
    start_program
    check "$PROGRAM_NAME: the unpacked program shows its park window" window_there ParkClass
    check "$PROGRAM_NAME: it writes its settings file beside itself" grep -q $'^TimeInterval=5\r$' "$PROGRAM_DIR/Hoplette.ini"
    probe post ParkClass 0x0010 0 0
    wait_program_exit
    check "$PROGRAM_NAME: it ends with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
}
check_unpacked_program Hoplette-64bit.exe
# The 32-bit program and the screen saver (32-bit only) where this machine runs them.
if [ "$HOPLETTE_WIN32_RUNS" = yes ]; then
    check_unpacked_program Hoplette.exe
    # The saver beside the program shows its Double show (the settings file's
    # built-in pictures) and ends on a key press.
    PROGRAM_NAME=Hoplette.scr
    (cd / && exec wine "$PROGRAM_DIR/Hoplette.scr" /s) &
    PROGRAM_PID=$!
    saver_show() { [ "$(probe windows | grep -c '^HopletteSaver 0 0 512 768 \|^HopletteSaver 512 0 512 768 ')" = 2 ]; }
    check "Hoplette.scr: the unpacked screen saver shows its show" wait_for 10 saver_show
    xdotool key space
    wait_program_exit
    check "Hoplette.scr: a key ends it with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
    PROGRAM_NAME=Hoplette.exe
else
    echo "Not started: the archive's Hoplette.exe and Hoplette.scr ($HOPLETTE_WIN32_WHY)"
    PROGRAM_NAME=Hoplette-64bit.exe
fi

# The read-me's way to the sample sound: change the existing lines of the
# settings file the first start wrote. A show then opens boing.wav.
sed -i -e 's/^Sound=\r$/Sound=boing.wav\r/' -e 's/^TimeInterval=5\r$/TimeInterval=0\r/' "$PROGRAM_DIR/Hoplette.ini"
opened=$(mktemp)
inotifywait -m -e open "$PROGRAM_DIR/boing.wav" >"$opened" 2>&1 &
watcher=$!
for _ in $(seq 50); do grep -q 'Watches established' "$opened" && break; sleep 0.1; done
start_program
# (Played when the ball first nears an edge: a few seconds into the show.)
for _ in $(seq 75); do grep -q OPEN "$opened" && break; sleep 0.2; done
kill "$watcher"; reap "$watcher" 5
check "with Sound= changed to Sound=boing.wav, a show opens boing.wav" grep -q OPEN "$opened"
rm -f "$opened"
probe post ParkClass 0x0010 0 0
xdotool mousemove 500 500 click 1
wait_program_exit
check "with the sound on, a show runs and the program ends cleanly" [ "$PROGRAM_STATUS" -eq 0 ]
rm -rf "$work" "$second"
finish
