#!/usr/bin/env bash
# The whole program as a user meets it, on the real exe: first start, the
# menu by a click, a Mars show, the wait set to one minute and the timed show
# that follows, the Double pictures chosen, TopMost off and on, About, Exit.
. "$(dirname "$0")/lib.sh"
begin_session 1024x768x24

menu_count() { probe windows | grep -c '^#32768 '; }
menu_open() { [ "$(menu_count)" -ge 1 ]; }
full_show() { probe windows | grep -qi '^static 0 0 1024 768 '; }
double_show() { [ "$(probe windows | grep -ci '^static 0 0 512 768 \|^static 512 0 512 768 ')" = 2 ]; }
# Clicks at an offset from the open dialog's top-left corner.
click_in_dialog() {
    local left top
    read -r _ left top _ <<<"$(probe windows | grep '^#32770 ' | head -n 1)"
    xdotool mousemove $((left + $1)) $((top + $2)) click 1
    sleep 0.3
}
no_show() { ! probe windows | grep -qi '^static '; }
dialog_open() { probe windows | grep -q '^#32770 '; }
# Opens the park window's menu with a click and types the items' mnemonics.
choose() {
    xdotool mousemove 30 740 click 1
    wait_for 5 menu_open || return 1
    sleep 0.3
    xdotool type --delay 300 "$1"
}

new_program_folder
start_program
check "first start writes the settings file" grep -q $'^TimeInterval=5\r$' "$PROGRAM_DIR/Hoplette.ini"

# A click opens the menu with its top-left corner at the pointer (or flipped up near the bottom).
xdotool mousemove 30 740 click 1
check "a click on the park window opens the menu" wait_for 5 menu_open
xdotool key Escape
wait_for 3 eval '! menu_open'

choose bm   # &Bournce, &Mars
check "Mars starts a show at once" wait_for 5 full_show
sleep 0.5
read -r r g b <<<"$(body_colour 1024x768+0+0)"
check "a reddish ball on black (rgb $r $g $b)" [ "${r:-0}" -gt $(( ${g:-0} + 20 )) -a "${r:-0}" -gt "${b:-0}" ]
xdotool key space
check "a key press ends the show" wait_for 3 no_show

# One minute's wait, set through the dialog and stored in the file.
choose s    # &SetTime...
check "the SetTime dialog opens" wait_for 5 dialog_open
sleep 0.3
click_in_dialog 104 35   # the minutes box
xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace type 1
xdotool key Return
check "the dialog closes on OK" wait_for 3 eval '! dialog_open'
check "the file holds TimeInterval=1" grep -q $'^TimeInterval=1\r$' "$PROGRAM_DIR/Hoplette.ini"
set_at=$(date +%s)
sleep 50
check "no show before the minute is up" no_show
check "the timed show arrives after about a minute" wait_for 20 full_show
arrived=$(( $(date +%s) - set_at ))
check "it arrived after ${arrived} s (about 60)" [ "$arrived" -ge 55 -a "$arrived" -le 68 ]
xdotool key space
wait_for 3 no_show

choose bd   # &Bournce, &Double
wait_for 5 double_show
xdotool key space
wait_for 3 no_show
# ImageSelect: Sun under "Pattern 1", Saturn under "Pattern 2", then OK.
choose i
check "the ImageSelect dialog opens" wait_for 5 dialog_open
sleep 0.3
click_in_dialog 20 197    # "Sun", left column
click_in_dialog 123 174   # "Saturn", right column
click_in_dialog 62 252    # OK
check "OK starts a Double show" wait_for 5 double_show
sleep 0.5
check_sun_and_saturn ""
check "the choice is stored" grep -q $'^BowlNo_1=10016\r$' "$PROGRAM_DIR/Hoplette.ini"
check "the choice is stored" grep -q $'^BowlNo_2=10015\r$' "$PROGRAM_DIR/Hoplette.ini"
xdotool key space
wait_for 3 no_show

topmost() { read -r _ _ _ _ exstyle _ <<<"$(probe window ParkClass)"; [ $(( exstyle & 0x8 )) -ne 0 ]; }
choose m    # Top&Most
sleep 0.5
check "TopMost off" eval '! topmost'
choose m
sleep 0.5
check "TopMost on again" topmost

choose a    # &About
check "the About box opens" wait_for 5 dialog_open
read -r _ left top width height _ <<<"$(probe windows | grep '^#32770 ' | head -n 1)"
xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
check "a click on the picture closes it" wait_for 3 eval '! dialog_open'

choose e    # &Exit
wait_program_exit
check "Exit ends the program with exit code 0" [ "$PROGRAM_STATUS" -eq 0 ]
rm -rf "$PROGRAM_DIR"
finish
