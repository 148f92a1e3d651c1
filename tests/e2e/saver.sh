#!/usr/bin/env bash
# Hoplette.scr as Windows runs it: /s full screen until a key, a button, the
# wheel or a real mouse move, another program to the front, WM_CLOSE or
# SC_CLOSE, or a display change, one at a time; /p in a test-made parent,
# ending with it; /c with OK and Cancel; bad command lines. The settings file
# is written only by the dialog's OK. Needs HOPLETTE_SCR, the built Hoplette.scr.
. "$(dirname "$0")/lib.sh"
[ -f "${HOPLETTE_SCR:-}" ] || { echo "FAIL: no Hoplette.scr at '${HOPLETTE_SCR:-}'"; exit 1; }
begin_session 1024x768x24

new_program_folder
cp "$HOPLETTE_SCR" "$PROGRAM_DIR/Hoplette.scr"
INI=$PROGRAM_DIR/Hoplette.ini

start_saver() { # start_saver ARGS...: Hoplette.scr started as Windows starts it
    (cd / && exec wine "$PROGRAM_DIR/Hoplette.scr" "$@") &
    PROGRAM_PID=$!
}
running() { kill -0 "$PROGRAM_PID" 2>/dev/null; }
show_windows() { probe windows | grep -c '^HopletteSaver '; }
double_show() { [ "$(probe windows | grep -c '^HopletteSaver 0 0 512 768 \|^HopletteSaver 512 0 512 768 ')" = 2 ]; }
single_show() { probe windows | grep -q '^HopletteSaver 0 0 1024 768 '; }
no_show() { [ "$(show_windows)" = 0 ]; }
same_file() { cmp -s "$INI" "$PROGRAM_DIR/before.ini"; }
keep_file() { cp "$INI" "$PROGRAM_DIR/before.ini"; }

# --- /s ----------------------------------------------------------------------
# Keys missing on purpose: the program would write them back, the saver must not.
printf '[bounceinit]\r\nSpeed=60\r\nBowlNo_1=10016\r\nBowlNo_2=10015\r\n' >"$INI"
keep_file
xdotool mousemove 500 400
start_saver /s
check "/s: a full-screen Double show" wait_for 10 double_show
sleep 0.5
check_sun_and_saturn "/s: "
# Topmost (0x8) tool windows (0x80): no taskbar button, no Alt+Tab entry.
above=$(probe windows | awk '$1 == "HopletteSaver" { print $7 }' | while read -r ex; do
    [ $((ex & 0x88)) = $((0x88)) ] && echo yes; done | grep -c yes)
check "/s: both show windows are topmost tool windows ($above)" [ "$above" = 2 ]

# A second /s while the first runs ends at once and leaves the first alone.
first=$PROGRAM_PID
start_saver /S
wait_program_exit
check "/s: a second one ends at once with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
PROGRAM_PID=$first
check "/s: the first one runs on" running
check "/s: still one show" double_show

xdotool mousemove 502 400
sleep 1
check "/s: a 2 px move does not end it" running
xdotool mousemove 498 401
sleep 1
check "/s: nor does jitter back" running
xdotool mousemove 510 400
wait_program_exit
check "/s: a 10 px move ends it with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
check "/s: the show windows are gone" no_show
check "/s: nothing written to the settings file" same_file

start_saver -s
wait_for 10 double_show
xdotool key space
wait_program_exit
check "/s: a key ends it with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
start_saver /s
wait_for 10 double_show
xdotool click 1
wait_program_exit
check "/s: a click ends it with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
check "/s: still nothing written" same_file

# The show the settings choose: Mars alone.
printf '[bounceinit]\r\nSaverShow=10013\r\n' >"$INI"
keep_file
start_saver /s
check "/s: SaverShow=10013 gives one full-screen window" wait_for 10 single_show
sleep 0.5
read -r r g b <<<"$(body_colour 1024x768+0+0)"
check "/s: a reddish ball on black (rgb $r $g $b)" [ "${r:-0}" -gt $(( ${g:-0} + 20 )) -a "${r:-0}" -gt "${b:-0}" ]
xdotool key Escape
wait_program_exit
check "/s: Mars ends with exit code 0" [ "$PROGRAM_STATUS" -eq 0 ]
check "/s: the file stays as it was" same_file

# Without a settings file the show runs on the built-in values and makes none.
rm -f "$INI"
start_saver /s
check "/s without a settings file: a Double show" wait_for 10 double_show
xdotool key space
wait_program_exit
check "/s without a settings file: exit code 0, no file made" [ "$PROGRAM_STATUS" -eq 0 -a ! -e "$INI" ]

# --- The endings Windows and other programs expect -----------------------------
PARENT_PID=
start_parent() {
    (cd / && exec wine "$E2E_TOOLS/probe.exe" parent 152 112 >"$PROGRAM_DIR/parent.txt" 2>/dev/null) &
    PARENT_PID=$!
    PARENT=
    local i
    for i in $(seq 50); do
        PARENT=$(tr -d '\r\n' <"$PROGRAM_DIR/parent.txt" 2>/dev/null)
        [ -n "$PARENT" ] && return 0
        sleep 0.2
    done
    return 1
}
close_parent() {
    probe post ProbeParent 0x0010 0 0
    reap "$PARENT_PID" 10
}
ends_on() { # ends_on WHAT COMMAND...: a fresh /s, the command, then exit code 0
    local what=$1; shift
    start_saver /s
    wait_for 10 double_show
    "$@"
    wait_program_exit
    check "/s: $what ends it with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
}
ends_on "another program to the front" start_parent
close_parent
ends_on "WM_CLOSE posted to its show" probe post HopletteSaver 0x0010 0 0
ends_on "WM_CLOSE sent to its show" probe send HopletteSaver 0x0010 0 0
ends_on "SC_CLOSE" probe post HopletteSaver 0x0112 0xF060 0
ends_on "a display change" probe send HopletteSaver 0x007E 24 $(( (768 << 16) | 1024 ))
ends_on "a turn of the wheel" xdotool click 5
# A finger and a pen as Windows 8 and later send them (Wine injects no touch):
# the pointer's flags in wParam's upper word (0x2 in range, 0x4 in contact,
# 0x10 first button, 0x20 the pen's barrel button), its id in the lower.
start_saver /s
wait_for 10 double_show
probe post HopletteSaver 0x0245 $(( (0x0002 << 16) | 2 )) 0   # WM_POINTERUPDATE: a pen hovering
sleep 1
check "/s: a hovering pen does not end it" running
probe post HopletteSaver 0x0246 $(( (0x0016 << 16) | 2 )) 0   # WM_POINTERDOWN: then its tip down
wait_program_exit
check "/s: then its tip on the screen ends it with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
ends_on "a finger" probe post HopletteSaver 0x0246 $(( (0x2016 << 16) | 1 )) 0
ends_on "a side button" xdotool click 8
start_saver /s
wait_for 10 double_show
probe post HopletteSaver 0x0112 0xF140 0   # SC_SCREENSAVE: Windows asks to start a saver
sleep 1
check "/s: SC_SCREENSAVE is refused and the show goes on" running
xdotool key space
wait_program_exit
check "/s: none of them made a settings file" [ ! -e "$INI" ]

# --- /p ----------------------------------------------------------------------
# A window of another process stands in for the settings' little monitor.
# (Wine shows nothing a child of another process paints: the drawing is
# checked in-process by win32.test_saver.)
preview_fills_parent() { [ "$(probe children "$PARENT")" = "HoplettePreview 0 0 152 112 1" ]; }

printf '[bounceinit]\r\nSpeed=60\r\n' >"$INI"
keep_file
for form in "/p %s" "/p:%s" "-P %s"; do
    start_parent
    # shellcheck disable=SC2059
    start_saver $(printf -- "$form" "$PARENT")
    check "'$form': a visible child fills the 152 x 112 parent ($(probe children "$PARENT"))" wait_for 10 preview_fills_parent
    check "'$form': no window of its own on the desktop" [ "$(probe windows | grep -c '^HoplettePreview \|^HopletteSaver ')" = 0 ]
    close_parent
    wait_program_exit
    check "'$form': it ends with its parent, exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
done
check "/p: nothing written to the settings file" same_file
gone=$PARENT   # the handle of a window that no longer exists

# --- Bad command lines: no crash, no window, exit code 0 ---------------------
windows_before=$(probe windows | sort)
for line in "/x" "/p" "/p 0" "/p -5" "/p 99999999999" "/p 4294967296" "/p $gone" "/p:abc" "/p 12x" "/a 1234" "/a" \
            "/save" "hello"; do
    # shellcheck disable=SC2086
    start_saver $line
    wait_program_exit
    check "'$line': exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
    check "'$line': no window left behind" [ "$(probe windows | sort)" = "$windows_before" ]
done
check "bad command lines write nothing" same_file

# --- /c ----------------------------------------------------------------------
dialog_open() { probe windows | grep -q '^#32770 '; }
dialog_owner() { probe windows | awk '$1 == "#32770" { print $8; exit }'; }
printf '[bounceinit]\r\nTimeInterval=5\r\nSpeed=120\r\nBowlNo_1=10013\r\nBowlNo_2=10016\r\nSound=\r\n' >"$INI"
keep_file
# A bare /c belongs to the window in front; no argument at all, to none.
start_parent
for line in "/c" "-C" ""; do
    owner=$PARENT
    [ -z "$line" ] && owner=0
    # shellcheck disable=SC2086
    start_saver $line
    check "'$line': the settings dialog opens" wait_for 10 dialog_open
    check "'$line': owned by $owner ($(dialog_owner))" [ "$(dialog_owner)" = "$owner" ]
    probe post '#32770' 0x0111 2 0   # Cancel
    wait_program_exit
    check "'$line': Cancel ends it with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
    check "'$line': Cancel writes nothing" same_file
done
close_parent

start_parent
start_saver "/c:$PARENT"
check "/c:HWND: the settings dialog opens" wait_for 10 dialog_open
check "/c:HWND: owned by that window ($(dialog_owner))" [ "$(dialog_owner)" = "$PARENT" ]
probe post '#32770' 0x0111 1 0   # OK
wait_program_exit
check "/c:HWND: OK ends it with exit code 0" [ "$PROGRAM_STATUS" -eq 0 ]
printf '[bounceinit]\r\nTimeInterval=5\r\nSpeed=120\r\nBowlNo_1=10013\r\nBowlNo_2=10016\r\nSound=\r\n%b' \
    'SaverShow=10017\r\nSaverMonitors=0\r\n' >"$PROGRAM_DIR/expected.ini"
check "/c: OK writes the keys it shows" cmp "$INI" "$PROGRAM_DIR/expected.ini"
close_parent

# The program itself ignores the saver's keys and keeps its own values.
start_program
probe post ParkClass 0x0010 0 0
wait_program_exit
check "the program starts and ends beside the saver's key" [ "$PROGRAM_STATUS" -eq 0 ]
check "the program leaves the saver's keys alone" cmp "$INI" "$PROGRAM_DIR/expected.ini"
rm -rf "$PROGRAM_DIR"
finish
