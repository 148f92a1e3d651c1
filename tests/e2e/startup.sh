#!/usr/bin/env bash
# First start, second start and repaired settings on the real program; the park
# window's place, size and caption; closing ends the process with exit code 0.
. "$(dirname "$0")/lib.sh"
begin_session 1024x768x24

check "ANSI code page is 932" [ "$(probe acp)" = 932 ]

# With HOPLETTE_NO_WIN32=1 nothing starts the 32-bit loader, not even through
# Debian's /usr/bin/wine: Wine's tools and 64-bit programs go to the 64-bit
# loader, and a 32-bit program is refused as skipped (77).
opened=$(mktemp)
inotifywait -m -e open $(ls /usr/bin/wine /usr/lib/wine/wine 2>/dev/null) >"$opened" 2>&1 &
watcher=$!
for _ in $(seq 50); do grep -q 'Watches established' "$opened" && break; sleep 0.1; done
forced=$(unset HOPLETTE_WIN32_RUNS; export HOPLETTE_NO_WIN32=1; . "$(dirname "$0")/../wine/session.sh"
         wine reg query 'HKCU\Software\Wine\X11 Driver' /v Managed >/dev/null 2>&1; echo "reg $?"
         acp=$(wine "$E2E_TOOLS/probe.exe" acp 2>/dev/null); echo "probe $? ${acp//$'\r'/}")
sleep 0.5
kill "$watcher"; reap "$watcher" 5
if [ "$(program_bits "$E2E_TOOLS/probe.exe")" = 64 ]; then expected="reg 0 probe 0 932"; else expected="reg 0 probe 77 "; fi
check "HOPLETTE_NO_WIN32=1: Wine's tools and 64-bit programs run, 32-bit ones are skipped (got '$(echo $forced)')" \
    [ "$(echo $forced)" = "$(echo $expected)" ]
check "HOPLETTE_NO_WIN32=1: neither /usr/bin/wine nor the 32-bit loader was opened ($(grep -c OPEN "$opened") opens)" \
    [ "$(grep -c OPEN "$opened")" -eq 0 ]
rm -f "$opened"

new_program_folder
start_program
printf '[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n' >"$PROGRAM_DIR/expected.ini"
check "first start writes the built-in settings in order" cmp "$PROGRAM_DIR/Hoplette.ini" "$PROGRAM_DIR/expected.ini"
read -r x y w h exstyle visible iconic caption <<<"$(probe window ParkClass)"
check "park window at the bottom-left corner (got $x,$y)" [ "$x,$y" = "0,688" ]
check "park window measures 96 x 78 (got ${w}x$h)" [ "${w}x$h" = 96x78 ]
check "park window is visible and captioned Hoplette (got '$caption')" [ "$visible $caption" = "1 Hoplette" ]
check "park window is topmost (exstyle $exstyle)" [ $(( exstyle & 0x8 )) -ne 0 ]
probe post ParkClass 0x0010 0 0   # WM_CLOSE
wait_program_exit
check "closing ends the process with exit code 0 (got $PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]

# A second start reads the file back and changes nothing.
before=$(md5sum <"$PROGRAM_DIR/Hoplette.ini")
start_program
probe post ParkClass 0x0010 0 0
wait_program_exit
check "second start leaves the settings file as it was" [ "$(md5sum <"$PROGRAM_DIR/Hoplette.ini")" = "$before" ]

# An empty value counts as missing and gets its built-in value back.
printf '[bounceinit]\r\nTimeInterval=7\r\nSpeed=\r\nBowlNo_1=10013\r\nBowlNo_2=10016\r\nSound=boing.wav\r\n' >"$PROGRAM_DIR/Hoplette.ini"
start_program
probe post ParkClass 0x0010 0 0
wait_program_exit
check "an empty Speed is written back as 60" grep -q $'^Speed=60\r$' "$PROGRAM_DIR/Hoplette.ini"
check "the other values stay as they were" grep -q $'^TimeInterval=7\r$' "$PROGRAM_DIR/Hoplette.ini"
rm -rf "$PROGRAM_DIR"

# Names outside ASCII: the settings file is still Hoplette.ini beside the
# program, byte for byte the same. The second byte of ソ and 表 in code page
# 932 is a backslash; Korean and emoji have no code page 932 form at all.
expected=$(mktemp)
printf '[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n' >"$expected"
for place in ソHoplette.exe 한글폴더/Hoplette.exe 🪐/Hoplette.exe ソ表能十予/한글🪐/ソHoplette.exe; do
    new_program_folder
    top=$PROGRAM_DIR
    PROGRAM_DIR=$(dirname "$top/$place")
    PROGRAM_NAME=$(basename "$place")
    mkdir -p "$PROGRAM_DIR"
    mv "$top/Hoplette.exe" "$PROGRAM_DIR/$PROGRAM_NAME"
    start_program
    check "$place: a park window" [ -n "$(probe window ParkClass)" ]
    probe post ParkClass 0x0010 0 0
    wait_program_exit
    check "$place: exit code 0 (got $PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
    check "$place: Hoplette.ini beside the program with the built-in settings" cmp "$PROGRAM_DIR/Hoplette.ini" "$expected"
    check "$place: no other settings file ($(cd "$top" && find . -name '*.ini' | tr '\n' ' '))" \
        [ "$(find "$top" -name '*.ini' | wc -l)" -eq 1 ]
    rm -rf "$top"
done
rm -f "$expected"
PROGRAM_NAME=Hoplette.exe

# A program folder of 250 characters or more: no settings file is made anywhere.
# (Wine's 64-bit loader starts no program from a path this long, so the
# 64-bit build skips this part.)
if [ "$(program_bits "$E2E_EXE")" = 64 ]; then
    finish
fi
# Named in ASCII, and in Korean: 250 UTF-16 units or more, however many bytes
# they take, count as too long.
repeat() { printf "$1%.0s" $(seq "$2"); }
windows_ini="$WINEPREFIX/drive_c/windows/Hoplette.ini"
for shape in ascii korean; do
    new_program_folder
    if [ "$shape" = ascii ]; then
        long="$PROGRAM_DIR/$(repeat x 120)/$(repeat y 120)"
    else
        long="$PROGRAM_DIR/$(repeat 한 62)/$(repeat 글 62)/$(repeat 폴 62)/$(repeat 더 62)"
    fi
    mkdir -p "$long"
    mv "$PROGRAM_DIR/Hoplette.exe" "$long/"
    top=$PROGRAM_DIR
    PROGRAM_DIR=$long
    rm -f "$windows_ini"
    start_program
    check "$shape long folder: a park window" [ -n "$(probe window ParkClass)" ]
    probe post ParkClass 0x0010 0 0
    wait_program_exit
    check "$shape long folder: exit code 0" [ "$PROGRAM_STATUS" -eq 0 ]
    check "$shape long folder: no settings file beside the program" [ ! -e "$long/Hoplette.ini" ]
    check "$shape long folder: no settings file in the Windows folder" [ ! -e "$windows_ini" ]
    check "$shape long folder: nothing written in the folders above" [ -z "$(find "$top" -name '*.ini')" ]
    rm -rf "$top"
done
finish
