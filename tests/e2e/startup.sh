#!/usr/bin/env bash
# First start, second start and repaired settings on the real program; the park
# window's place, size and caption; closing ends the process with exit code 0.
. "$(dirname "$0")/lib.sh"
begin_session 1024x768x24

check "ANSI code page is 932" [ "$(probe acp)" = 932 ]

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

# A program folder of 250 characters or more: no settings file is made anywhere.
# (Wine's 64-bit loader starts no program from a path this long, so the
# 64-bit build skips this part.)
if [ -n "${HOPLETTE_E2E_64:-}" ]; then
    finish
fi
new_program_folder
long="$PROGRAM_DIR/$(printf 'x%.0s' $(seq 120))/$(printf 'y%.0s' $(seq 120))"
mkdir -p "$long"
mv "$PROGRAM_DIR/Hoplette.exe" "$long/"
PROGRAM_DIR=$long
windows_ini="$WINEPREFIX/drive_c/windows/Hoplette.ini"
rm -f "$windows_ini"
start_program
check "a park window from a long folder" [ -n "$(probe window ParkClass)" ]
probe post ParkClass 0x0010 0 0
wait_program_exit
check "long folder: exit code 0" [ "$PROGRAM_STATUS" -eq 0 ]
check "long folder: no settings file beside the program" [ ! -e "$long/Hoplette.ini" ]
check "long folder: no settings file in the Windows folder" [ ! -e "$windows_ini" ]
check "long folder: nothing written in the folders above" [ -z "$(find "${long%/*/*}" -name '*.ini')" ]
rm -rf "${long%/*/*}"
finish
