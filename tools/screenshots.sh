#!/usr/bin/env bash
# Regenerates the README's screenshots in docs/screenshots/ (or the folder
# HOPLETTE_SHOTS names) from the real program and screen saver under Wine on a
# virtual 1024x768 display; where Xorg's dummy driver runs (as root), a show
# across two monitors too ("monitors": only those).
# Usage: tools/screenshots.sh [build/win32] [monitors]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tests/wine/session.sh"
# The 32-bit build where this machine runs 32-bit programs, else the 64-bit one.
build=$(cd "${1:-$(runnable_build "$root/build")}" && pwd)
echo "Screenshots from $build"
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
shots=${HOPLETTE_SHOTS:-$root/docs/screenshots}
mkdir -p "$shots"
folder=$(mktemp -d)
cp "$build/Hoplette.exe" "$build/Hoplette.scr" "$folder/"
probe() { wine "$build/probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
command() { probe post ParkClass 0x0111 "$1" 0; }
shot() { # shot NAME [CROP] [RESIZE]
    import -window root png:- | convert - ${2:+-crop "$2" +repage} ${3:+-resize "$3"} "$shots/$1.png"
}
close_dialog() { probe post '#32770' 0x0111 "$1" 0; sleep 0.5; }

# One field across two monitors, where Xorg's dummy driver runs (as root): the
# whole X screen, the 800 x 600 monitor to the right of the primary with its
# bottom level, the X screen that no monitor shows in grey, scaled to 900 px.
crossing_shot() { # crossing_shot NAME: the ball's picture bright on both sides of the seam
    local name=$1 frame=$folder/frame.png tiles
    for _ in $(seq 200); do
        import -window root "$frame"
        tiles=$(convert "$frame" -crop "40x600+$((SECOND_X11_X - 20))+$SECOND_X11_Y" +repage -crop 20x600 +repage \
                        -format '%[fx:int(255*maxima)] ' info:)
        set -- $tiles
        if [ "${1:-0}" -gt 150 ] && [ "${2:-0}" -gt 150 ]; then
            convert "$frame" -resize 900x "$shots/$name.png"
            return
        fi
        sleep 0.1
    done
    echo "The ball did not cross the seam: no $name.png"
}
if [ "$(id -u)" -eq 0 ]; then
    lock_prefix
    start_watchdog
    if start_two_monitor_display lower; then
        prepare_prefix
        use_silent_sound_device
        xsetroot -solid '#808080'
        (cd / && exec wine "$folder/Hoplette.exe") &
        program=$!
        for _ in $(seq 50); do [ -n "$(probe window ParkClass)" ] && break; sleep 0.2; done
        sleep 0.5
        command 10032   # Monitors > Across all, in Double mode
        sleep 3
        shot field-across-double "" 900x
        xdotool mousemove 500 500 click 1
        sleep 0.5
        command 10013   # Mars, across all now
        sleep 1
        crossing_shot field-across
        xdotool click 1
        sleep 0.5
        probe post ParkClass 0x0010 0 0
        reap "$program" 10
        rm -f "$folder/Hoplette.ini" # the sessions below start from the built-in settings
    else
        echo "No two-monitor screenshots: the dummy display did not start"
    fi
    end_session
    exec {HOPLETTE_LOCK_FD}>&- # the sessions below take the prefix's lock afresh
else
    echo "No two-monitor screenshots: Xorg's dummy driver needs root"
fi
if [ "${2:-}" = monitors ]; then
    rm -rf "$folder"
    ls "$shots"
    exit 0
fi

begin_session 1024x768x24
(cd / && exec wine "$folder/Hoplette.exe") &
program=$!
for _ in $(seq 50); do [ -n "$(probe window ParkClass)" ] && break; sleep 0.2; done
sleep 0.5
shot park 320x200+0+568

xdotool mousemove 40 740 click 1
sleep 1
# Rest the pointer on "&Bournce", the second item, to open the picture submenu.
read -r _ left top _ <<<"$(probe windows | grep '^#32768 ' | head -n 1)"
xdotool mousemove $((left + 40)) $((top + 36))
sleep 1
shot menu 420x330+0+438
xdotool mousemove 900 100 click 1   # a click outside closes the menu
sleep 0.5

command 10013   # Mars
sleep 2
shot show-mars "" 512x384
xdotool mousemove 500 500 click 1
sleep 0.5
command 10017   # Double
sleep 2
shot show-double "" 512x384
xdotool click 1
sleep 0.5

command 10023   # SetTime...
sleep 1
shot settime 320x200+0+568
close_dialog 2
command 10026   # ImageSelect...
sleep 1
shot imageselect 320x330+0+438
close_dialog 2
command 10025   # About
sleep 1
shot about 320x200+0+568
close_dialog 1

probe post ParkClass 0x0010 0 0
wait "$program"

# The screen saver: its settings dialog (/c), and its preview drawn in-process
# on a stand like the little monitor of Windows' settings.
(cd / && exec wine "$folder/Hoplette.scr" /c) &
saver=$!
for _ in $(seq 50); do probe windows | grep -q '^#32770 ' && break; sleep 0.2; done
sleep 0.5
read -r _ left top width height _ <<<"$(probe windows | grep '^#32770 ' | head -n 1)"
shot saver-settings "${width}x${height}+${left}+${top}"
close_dialog 2
wait "$saver"
(cd / && exec wine "$build/saver_preview.exe") &
preview=$!
sleep 3
shot saver-preview 184x144+100+100 200%
probe post PreviewStand 0x0010 0 0
wait "$preview"
end_session

# The same park window and menu at 200% (192 DPI, a prefix of its own) on a
# screen of the same 1024 x 768 96-DPI units: twice the pixels, drawn anew.
export HOPLETTE_DPI=192
begin_session 2048x1536x24
(cd / && exec wine "$folder/Hoplette.exe") &
program=$!
for _ in $(seq 50); do [ -n "$(probe window ParkClass)" ] && break; sleep 0.2; done
sleep 0.5
xdotool mousemove 80 1480 click 1
sleep 1
read -r _ left top _ <<<"$(probe windows | grep '^#32768 ' | head -n 1)"
xdotool mousemove $((left + 80)) $((top + 72))
sleep 1
shot menu-200 840x660+0+876
xdotool mousemove 1800 200 click 1
sleep 0.5
probe post ParkClass 0x0010 0 0
wait "$program"
end_session
rm -rf "$folder"
ls "$shots"
