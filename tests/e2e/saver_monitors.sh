#!/usr/bin/env bash
# Hoplette.scr /s with two monitors. By default the show runs on the primary
# one and the other is covered black until the show ends; with
# SaverMonitors=1 each monitor runs the show in its own size, with the second
# one to the right of the primary, to its left, above it, and turned upright;
# with SaverMonitors=2 one field across both, to the right and lower. The
# program's show too: the second monitor covered black, with ShowMonitors=1
# a show on each, with ShowMonitors=2 one field across both (right, left and
# lower). Needs HOPLETTE_SCR.
. "$(dirname "$0")/lib.sh"
[ -f "${HOPLETTE_SCR:-}" ] || { echo "FAIL: no Hoplette.scr at '${HOPLETTE_SCR:-}'"; exit 1; }
lock_prefix
start_watchdog

new_program_folder
cp "$HOPLETTE_SCR" "$PROGRAM_DIR/Hoplette.scr"
INI=$PROGRAM_DIR/Hoplette.ini

# The mean and the brightest channel of a part of the X screen, 0..255.
light() { import -window root -crop "$1" +repage -format '%[fx:int(255*mean)] %[fx:int(255*maxima)]' info: 2>/dev/null; }
saver_windows() { probe windows | awk '$1 == "HopletteSaver" { print $2, $3, $4, $5 }' | sort; }
second_box() { echo "${SECOND_WIDTH}x$SECOND_HEIGHT+$SECOND_X11_X+$SECOND_X11_Y"; }
primary_box() { echo "1024x768+$PRIMARY_X11_X+$PRIMARY_X11_Y"; }
second_black() { [ "$(light "$(second_box)")" = "0 0" ]; }
second_white() { [ "$(light "$(second_box)")" = "255 255" ]; }
pictures_on_black() { # pictures_on_black BOX: bright pictures, the rest black, no white desktop
    local mean most
    read -r mean most <<<"$(light "$1")"
    [ "${mean:-255}" -lt 60 ] && [ "${most:-0}" -gt 150 ]
}

# Two monitors in the given layout, a white desktop so that anything the
# show leaves uncovered shows, and a fresh Wine that knows the layout.
layout() { # layout POSITION [portrait]
    stop_wine
    stop_display
    start_two_monitor_display "$@" || return 1
    prepare_prefix
    xsetroot -solid white
    xdotool mousemove $((PRIMARY_X11_X + 500)) $((PRIMARY_X11_Y + 400))
}
start_show() {
    (cd / && exec wine "$PROGRAM_DIR/Hoplette.scr" /s) &
    PROGRAM_PID=$!
}
end_show() { # end_show WHAT: a key ends it, the desktop comes back
    xdotool key space
    wait_program_exit
    check "$1: a key ends the show with exit code 0 ($PROGRAM_STATUS)" [ "$PROGRAM_STATUS" -eq 0 ]
    check "$1: its windows are gone" [ -z "$(saver_windows)" ]
    check "$1: the second monitor is white again" wait_for 5 second_white
}

# --- The primary monitor's show, the other one covered -----------------------
printf '[bounceinit]\r\nBowlNo_1=10016\r\nBowlNo_2=10015\r\n' >"$INI"
if ! layout right; then
    # Xorg with the dummy driver needs root; a normal user's run skips this test.
    [ "$(id -u)" -ne 0 ] && { echo "Skipped: the two-monitor display (Xorg's dummy driver) needs root"; exit 77; }
    check "two monitors" false
    finish
fi
check "the second monitor is white before the show" second_white
start_show
expected=$(printf '%s\n' "0 0 512 768" "1024 0 800 600" "512 0 512 768" | sort)
check "the Double show on the primary monitor, a cover exactly over the second ($(saver_windows | tr '\n' ,))" \
    wait_for 10 eval '[ "$(saver_windows)" = "$expected" ]'
check "the second monitor is black" wait_for 5 second_black
check "the primary monitor: bright pictures on black ($(light "$(primary_box)"))" pictures_on_black "$(primary_box)"
end_show "covered"

# --- SaverMonitors=1: the show on each monitor --------------------------------
# Double mode: each monitor split in two halves, each half with its picture;
# one picture on a whole monitor otherwise.
every_monitor() { # every_monitor WHAT SHOW POSITION [portrait]
    local what=$1 show=$2; shift 2
    printf '[bounceinit]\r\nBowlNo_1=10016\r\nBowlNo_2=10015\r\nSaverShow=%s\r\nSaverMonitors=1\r\n' "$show" >"$INI"
    layout "$@" || { check "$what: two monitors" false; return; }
    start_show
    local w=$SECOND_WIDTH h=$SECOND_HEIGHT x=$SECOND_X y=$SECOND_Y expected boxes
    if [ "$show" = 10017 ]; then
        expected=$(printf '%s\n' "0 0 512 768" "512 0 512 768" "$x $y $((w / 2)) $h" \
                                 "$((x + w / 2)) $y $((w - w / 2)) $h" | sort)
        boxes="512x768+$PRIMARY_X11_X+$PRIMARY_X11_Y 512x768+$((PRIMARY_X11_X + 512))+$PRIMARY_X11_Y
               $((w / 2))x$h+$SECOND_X11_X+$SECOND_X11_Y $((w - w / 2))x$h+$((SECOND_X11_X + w / 2))+$SECOND_X11_Y"
    else
        expected=$(printf '%s\n' "0 0 1024 768" "$x $y $w $h" | sort)
        boxes="$(primary_box) $(second_box)"
    fi
    check "$what: show windows exactly over both monitors ($(saver_windows | tr '\n' ,))" \
        wait_for 10 eval '[ "$(saver_windows)" = "$expected" ]'
    sleep 1
    local box before=() i=0
    for box in $boxes; do
        check "$what: pictures on black in $box ($(light "$box"))" pictures_on_black "$box"
        before+=("$(import -window root -crop "$box" +repage -depth 8 rgb:- 2>/dev/null | md5sum)")
    done
    sleep 0.5
    for box in $boxes; do
        check "$what: the picture in $box moves" \
            [ "$(import -window root -crop "$box" +repage -depth 8 rgb:- 2>/dev/null | md5sum)" != "${before[$i]}" ]
        i=$((i + 1))
    done
    end_show "$what"
}
every_monitor "right, Double" 10017 right
every_monitor "left, Double" 10017 left
every_monitor "above, Mars" 10013 above
every_monitor "upright on the left, Double" 10017 left portrait

# --- SaverMonitors=2: one field across both monitors ---------------------------
# One black window over each monitor; the ball, at the primary's size, is seen
# crossing the seam: its picture bright on both sides of it in the same shot.
# Speed 30 doubles the pace, so that it comes to the seam within seconds.
seam_crossed() { # seam_crossed X11_X TOP ROWS: bright in the 20 columns on each side of the seam at once
    local tiles
    tiles=$(import -window root -crop "40x$3+$(($1 - 20))+$2" +repage -crop "20x$3" +repage \
                   -format '%[fx:int(255*maxima)] ' info: 2>/dev/null)
    set -- $tiles
    [ "${1:-0}" -gt 150 ] && [ "${2:-0}" -gt 150 ]
}
one_field() { # one_field WHAT SHOW POSITION
    local what=$1 show=$2; shift 2
    printf '[bounceinit]\r\nBowlNo_1=10017\r\nBowlNo_2=10017\r\nSpeed=30\r\nSaverShow=%s\r\nSaverMonitors=2\r\n' \
        "$show" >"$INI"
    layout "$@" || { check "$what: two monitors" false; return; }
    start_show
    local expected
    expected=$(printf '%s\n' "0 0 1024 768" "$SECOND_X $SECOND_Y $SECOND_WIDTH $SECOND_HEIGHT" | sort)
    check "$what: one show window exactly over each monitor ($(saver_windows | tr '\n' ,))" \
        wait_for 10 eval '[ "$(saver_windows)" = "$expected" ]'
    sleep 1
    check "$what: pictures on black on the primary ($(light "$(primary_box)"))" pictures_on_black "$(primary_box)"
    if [ "$show" = 10017 ]; then
        # One sphere on each monitor, their middles mirror images about the desktop's middle.
        check "$what: pictures on black on the second ($(light "$(second_box)"))" pictures_on_black "$(second_box)"
        local shot left right sum
        shot=$(mktemp --suffix=.png)
        import -window root "$shot" 2>/dev/null # one shot: the pair of one frame
        left=$(convert "$shot" -crop "$(primary_box)" +repage -trim -format '%[fx:page.x+w/2]' info: 2>/dev/null)
        right=$(convert "$shot" -crop "$(second_box)" +repage -trim -format '%[fx:page.x+w/2]' info: 2>/dev/null)
        rm -f "$shot"
        sum=$(awk -v l="$left" -v r="$right" -v x="$SECOND_X11_X" 'BEGIN { print int(l + x + r + 0.5) }')
        check "$what: the pair mirrored about the desktop's middle (middles $left and $SECOND_X11_X+$right)" \
            [ "$sum" -ge 1821 -a "$sum" -le 1825 ]
    else
        local top=$((SECOND_X11_Y > PRIMARY_X11_Y ? SECOND_X11_Y : PRIMARY_X11_Y)) seam=$SECOND_X11_X
        [ "$SECOND_X11_X" -lt "$PRIMARY_X11_X" ] && seam=$PRIMARY_X11_X
        check "$what: the ball crosses the seam, seen on both monitors at once" \
            wait_for 40 seam_crossed "$seam" "$top" 600
    fi
    end_show "$what"
}
one_field "one field, right, Mars" 10013 right
one_field "one field, right and lower, Mars" 10013 lower
one_field "one field, right, Double" 10017 right

# --- The program's show (ShowMonitors) ------------------------------------------
# Missing: the show on the primary monitor, the second covered black; the
# Monitors item "&Each" writes ShowMonitors=1 and shows on each monitor at once.
show_windows() { probe windows | awk 'tolower($1) == "static" { print $2, $3, $4, $5 }' | sort; }
moves() { # moves BOX: the picture in BOX changes within half a second
    local before
    before=$(import -window root -crop "$1" +repage -depth 8 rgb:- 2>/dev/null | md5sum)
    sleep 0.5
    [ "$(import -window root -crop "$1" +repage -depth 8 rgb:- 2>/dev/null | md5sum)" != "$before" ]
}
end_program_show() { # end_program_show WHAT
    xdotool key space
    check "$1: a key ends the show" wait_for 5 eval '[ -z "$(show_windows)" ]'
    check "$1: the second monitor is white again" wait_for 5 second_white
}
# A fresh program for each show: under Wine the key that should end a second
# show in a row is now and then lost, with or without these monitors.
if layout right; then
    printf '[bounceinit]\r\nTimeInterval=60\r\nBowlNo_1=10016\r\nBowlNo_2=10015\r\n' >"$INI"
    start_program
    probe post ParkClass 0x0111 10031 0 # Monitors > Each
    expected=$(printf '%s\n' "0 0 512 768" "512 0 512 768" "1024 0 400 600" "1424 0 400 600" | sort)
    check "program, each: Double split on each monitor ($(show_windows | tr '\n' ,))" \
        wait_for 10 eval '[ "$(show_windows)" = "$expected" ]'
    sleep 1
    check "program, each: pictures on black on the second monitor" pictures_on_black "$(second_box)"
    check "program, each: the second monitor's picture moves" moves "$(second_box)"
    check "program, each: pictures on black on the primary" pictures_on_black "$(primary_box)"
    end_program_show "program, each"
    check "program, each: ShowMonitors=1 written ($(tr -d '\r' <"$INI" | grep ShowMonitors))" \
        grep -q $'^ShowMonitors=1\r$' "$INI"
    stop_program

    printf '[bounceinit]\r\nTimeInterval=60\r\nBowlNo_1=10016\r\nBowlNo_2=10015\r\n' >"$INI"
    sleep 2 # Wine's cache of the settings file
    start_program
    probe post ParkClass 0x0111 10029 0 # TestBournce
    expected=$(printf '%s\n' "0 0 512 768" "512 0 512 768" "1024 0 800 600" | sort)
    check "program, primary: Double on the primary, a cover over the second ($(show_windows | tr '\n' ,))" \
        wait_for 10 eval '[ "$(show_windows)" = "$expected" ]'
    check "program, primary: the second monitor is black" wait_for 5 second_black
    check "program, primary: pictures on black on the primary" pictures_on_black "$(primary_box)"
    check "program, primary: the primary's picture moves" moves "$(primary_box)"
    end_program_show "program, primary"
    check "program, primary: nothing written ($(tr -d '\r' <"$INI" | grep -c ShowMonitors))" \
        eval '! grep -q ShowMonitors "$INI"'
    stop_program
else
    check "program: two monitors" false
fi

# "&Across all" writes ShowMonitors=2 and starts the show at once: one field
# over both monitors, in Double mode (the program's own until a picture is
# chosen). Only the right-hand ball can be bright on both sides of the seam:
# the left one turns at the desktop's middle, short of it.
covered() { # covered BOX: black with at most pictures on it, no white desktop
    local mean most
    read -r mean most <<<"$(light "$1")"
    [ "${mean:-255}" -lt 60 ]
}
mirrored() { # the pair's outer edges, from one shot of both monitors, add up to the desktop's width
    local shot sum
    shot=$(mktemp --suffix=.png)
    import -window root "$shot" 2>/dev/null
    # Only the monitors: the X screen beside the shorter one is white root window.
    sum=$(convert -size 1824x768 xc:black \
        \( "$shot" -crop "$(primary_box)" +repage \) -geometry "+$PRIMARY_X11_X+$PRIMARY_X11_Y" -composite \
        \( "$shot" -crop "$(second_box)" +repage \) -geometry "+$SECOND_X11_X+$SECOND_X11_Y" -composite \
        -bordercolor black -border 1 -trim -format '%[fx:2*(page.x-1)+w]' info: 2>/dev/null)
    rm -f "$shot"
    [ "${sum:-0}" -ge 1821 ] && [ "$sum" -le 1827 ] && return
    echo "  the pair's outer edges add up to ${sum:-nothing}, not 1824"
    return 1
}
program_field() { # program_field WHAT POSITION [mirrored]
    local what=$1 position=$2 expected
    layout "$position" || { check "$what: two monitors" false; return; }
    printf '[bounceinit]\r\nTimeInterval=60\r\nBowlNo_1=10017\r\nBowlNo_2=10017\r\nSpeed=30\r\n' >"$INI"
    start_program
    probe post ParkClass 0x0111 10032 0 # Monitors > Across all
    expected=$(printf '%s\n' "0 0 1024 768" "$SECOND_X $SECOND_Y $SECOND_WIDTH $SECOND_HEIGHT" | sort)
    check "$what: one show window exactly over each monitor ($(show_windows | tr '\n' ,))" \
        wait_for 10 eval '[ "$(show_windows)" = "$expected" ]'
    sleep 1
    check "$what: the primary monitor covered ($(light "$(primary_box)"))" covered "$(primary_box)"
    check "$what: the second monitor covered ($(light "$(second_box)"))" covered "$(second_box)"
    if [ "${3:-}" = mirrored ]; then
        # A few shots: one may catch a monitor drawn a step ahead of the other.
        check "$what: the pair mirrored about the desktop's middle" \
            wait_for 3 mirrored
    fi
    local top=$((SECOND_X11_Y > PRIMARY_X11_Y ? SECOND_X11_Y : PRIMARY_X11_Y)) seam=$SECOND_X11_X
    [ "$SECOND_X11_X" -lt "$PRIMARY_X11_X" ] && seam=$PRIMARY_X11_X
    check "$what: the ball crosses the seam, seen on both monitors at once" \
        wait_for 40 seam_crossed "$seam" "$top" 600
    end_program_show "$what"
    check "$what: ShowMonitors=2 written ($(tr -d '\r' <"$INI" | grep ShowMonitors))" \
        grep -q $'^ShowMonitors=2\r$' "$INI"
    stop_program
}
program_field "program, across, right" right mirrored
program_field "program, across, left" left
program_field "program, across, right and lower" lower
rm -rf "$PROGRAM_DIR"
finish
