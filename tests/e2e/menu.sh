#!/usr/bin/env bash
# The popup menu on the real program, driven by mouse and keyboard: it opens at
# the pointer, "&Mars" starts a show at once, "&SetTime..." writes the file,
# "&ImageSelect..." with Cancel starts no show, "&About" opens and closes the
# box, and "&Exit" and Alt+F4 end the process with exit code 0.
. "$(dirname "$0")/lib.sh"
begin_session 1024x768x24

count_class() { probe windows | grep -c "^$1 "; }
wait_count() { # wait_count CLASS N: up to 5 s for exactly N visible windows of a class
    local i
    for i in $(seq 25); do
        [ "$(count_class "$1")" -eq "$2" ] && return 0
        sleep 0.2
    done
    return 1
}
# "x y width height" of the first visible window of a class.
geometry() { probe windows | awk -v c="$1" '$1 == c { print $2, $3, $4, $5; exit }'; }

# A dialog's client point (in pixels) on the screen: the frame is as wide at the
# bottom as at the sides, the caption sits on top.
client_to_screen() { # client_to_screen CLASS CLIENT_WIDTH CLIENT_HEIGHT X Y
    local dx dy dw dh border
    read -r dx dy dw dh <<<"$(geometry "$1")"
    border=$(((dw - $2) / 2))
    echo $((dx + border + $4)) $((dy + dh - border - $3 + $5))
}

open_menu() { # open_menu X Y [BUTTON]
    xdotool mousemove "$1" "$2" click "${3:-1}"
    wait_count '#32768' 1
}

new_program_folder
printf '[bounceinit]\r\nTimeInterval=5\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n' >"$PROGRAM_DIR/Hoplette.ini"
start_program

# At the bottom of the screen the menu would be lifted to fit: first drag the
# park window up by its caption (the left of it, clear of the caption buttons).
read -r x y _ <<<"$(probe window ParkClass)"
xdotool mousemove $((x + 26)) $((y + 10)) mousedown 1
for step in $(seq 1 10); do
    xdotool mousemove $((x + 26 + step * 20)) $((y + 10 - step * 50))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.3
read -r x y w h _ <<<"$(probe window ParkClass)"
check "the park window was dragged up (now at $x,$y)" [ "$y" -lt 400 ]

# A click in the client area opens the menu with its top-left corner at the pointer.
px=$((x + 30)) py=$((y + 50))
check "a left click opens the menu" open_menu $px $py 1
read -r mx my _ <<<"$(geometry '#32768')"
check "the menu's top-left corner is at the pointer ($mx,$my for $px,$py)" [ "$mx,$my" = "$px,$py" ]
xdotool key Escape
check "Escape closes the menu" wait_count '#32768' 0
px=$((x + 60)) py=$((y + 40))
check "a right click opens the menu" open_menu $px $py 3
read -r mx my _ <<<"$(geometry '#32768')"
check "again at the pointer ($mx,$my for $px,$py)" [ "$mx,$my" = "$px,$py" ]
xdotool key Escape
wait_count '#32768' 0

# "&Mars" (in "&Bournce") starts a show at once: one black full-screen window.
open_menu $((x + 30)) $((y + 50))
xdotool key b
check "the picture submenu opens" wait_count '#32768' 2
xdotool key m
check "Mars starts a show: one full-screen window" wait_count 'Static' 1
check "the show window covers the screen" [ "$(geometry Static)" = "0 0 1024 768" ]
sleep 0.3
check "the show is black at the top-left corner" [ "$(pixel 2 2)" = "0 0 0" ]
check "the show is black at the bottom-right corner" [ "$(pixel 1021 765)" = "0 0 0" ]
xdotool key space
check "a key press ends the show" wait_count 'Static' 0
check "the park window is still there" [ -n "$(probe window ParkClass)" ]

# "&SetTime...": 10 in the minutes box and OK write the file; no show follows.
open_menu $((x + 30)) $((y + 50))
xdotool key s
check "SetTime opens its dialog" wait_count '#32770' 1
# SCRNSAVER's client area is 71 x 40 dialog units: 142 x 90 pixels in the system font.
read -r bx by <<<"$(client_to_screen '#32770' 142 90 100 13)"
xdotool mousemove "$bx" "$by" click 1
xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type 10
read -r ox oy <<<"$(client_to_screen '#32770' 142 90 69 71)"
xdotool mousemove "$ox" "$oy" click 1
check "OK closes the dialog" wait_count '#32770' 0
check "the file holds TimeInterval=10" grep -q $'^TimeInterval=10\r$' "$PROGRAM_DIR/Hoplette.ini"
check "and Speed as it was" grep -q $'^Speed=60\r$' "$PROGRAM_DIR/Hoplette.ini"
sleep 0.5
check "SetTime starts no show" [ "$(count_class Static)" -eq 0 ]

# "&ImageSelect..." ended with Cancel starts no show and writes nothing.
before=$(md5sum <"$PROGRAM_DIR/Hoplette.ini")
open_menu $((x + 30)) $((y + 50))
xdotool key i
check "ImageSelect opens its dialog" wait_count '#32770' 1
# BOWLSELECT's client area is 110 x 111 dialog units: 220 x 250 pixels; Cancel's centre at 81, 103 units.
read -r cx cy <<<"$(client_to_screen '#32770' 220 250 162 232)"
xdotool mousemove "$cx" "$cy" click 1
check "Cancel closes the dialog" wait_count '#32770' 0
sleep 1
check "Cancel starts no show" [ "$(count_class Static)" -eq 0 ]
check "Cancel writes nothing" [ "$(md5sum <"$PROGRAM_DIR/Hoplette.ini")" = "$before" ]

# "&About", the last item, chosen with the mouse; a click on the picture closes the box.
open_menu $((x + 30)) $((y + 50))
read -r mx my mw mh <<<"$(geometry '#32768')"
xdotool mousemove $((mx + mw / 2)) $((my + mh - 8)) click 1
check "About opens the box" wait_count '#32770' 1
read -r ax ay aw ah <<<"$(geometry '#32770')"
check "the box sits at the park window's client area ($ax,$ay)" [ "$ax" -gt "$x" -a "$ay" -gt "$y" ]
xdotool mousemove $((ax + aw / 2)) $((ay + ah / 2)) click 1
check "a click on the picture closes it" wait_count '#32770' 0

# "&Exit" ends the process with exit code 0.
open_menu $((x + 30)) $((y + 50))
xdotool key e
wait_program_exit
check "Exit ends the process with exit code 0 (got $PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]

# Alt+F4 on the park window does the same.
start_program
read -r x y _ <<<"$(probe window ParkClass)"
xdotool mousemove $((x + 26)) $((y + 10)) click 1
sleep 0.3
xdotool key alt+F4
wait_program_exit
check "Alt+F4 ends the process with exit code 0 (got $PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]

rm -rf "$PROGRAM_DIR"
finish
