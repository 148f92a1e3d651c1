#!/usr/bin/env bash
# With TimeInterval=0 the real program starts a show by itself: black screen,
# EarthAfrica on the left and Venus on the right; a key press or a click
# brings the desktop back, and the wait starts again.
. "$(dirname "$0")/lib.sh"
begin_session 1024x768x24

show_windows() { probe windows | grep -ci '^static 0 0 512 768 \|^static 512 0 512 768 '; }
# The show windows' handles: a new show makes new windows.
show_handles() { probe windows | grep -i '^static ' | awk '{print $6}' | sort | tr '\n' ' '; }
wait_for_show() { # up to 5 s
    local i
    for i in $(seq 25); do
        [ "$(show_windows)" = 2 ] && return 0
        sleep 0.2
    done
    return 1
}
black_share() { # percent of pure black pixels in a part of the screen
    import -window root png:- | convert - -crop "$1" +repage -fill white +opaque black -fill black -opaque black \
        -format '%[fx:int(100*(1-mean))]' info: 2>/dev/null
}

new_program_folder
printf '[bounceinit]\r\nTimeInterval=0\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n' >"$PROGRAM_DIR/Hoplette.ini"
start_program
check "a show starts by itself in Double mode (two half-screen windows)" wait_for_show
sleep 0.5
read -r lr lg lb <<<"$(body_colour 512x768+0+0)"
read -r rr rg rb <<<"$(body_colour 512x768+512+0)"
check "the left ball is Earth: blue over red (rgb $lr $lg $lb)" [ "${lb:-0}" -gt "${lr:-0}" ]
check "the right ball is Venus: cream, red over blue (rgb $rr $rg $rb)" [ "${rr:-0}" -gt "${rb:-255}" ]
share=$(black_share 1024x768+0+0)
check "the screen is mostly black ($share% black)" [ "${share:-0}" -ge 60 ]

# The next show follows half a second after the end of one, so an ended show
# shows as new show windows.
# Three in a row: a key whose press and release a show took must not read
# as held at the next show's start.
new_show_since() { [ "$(show_windows)" = 2 ] && [ "$(show_handles)" != "$1" ]; }
for press in 1 2 3; do
    first=$(show_handles)
    xdotool mousemove 600 400 key space
    sleep 1.5
    check "key press $press ends the show and the wait brings the next one" new_show_since "$first"
done
second=$(show_handles)
xdotool mousemove 300 300 click 1
sleep 1.5
check "a click ends the show" [ "$(show_handles)" != "$second" ]
third=$(show_handles)
xdotool mousemove 500 500 mousemove 520 520
sleep 1.5
check "a mouse move does not end the show" [ "$(show_handles)" = "$third" ]
check "the park window stays" [ -n "$(probe window ParkClass)" ]

# The close request waits in the queue until a click ends the running show.
probe post ParkClass 0x0010 0 0
xdotool click 1
wait_program_exit
check "exit code 0 after shows" [ "$PROGRAM_STATUS" -eq 0 ]
rm -rf "$PROGRAM_DIR"

# Another program's captionless window over the whole screen in front (a
# full-screen video or game) holds the timed show back for as long as it
# stays; the show follows at the next tick once it goes. A maximized
# captioned window does not hold it back, nor does anything with
# ShowOverFullScreen=1, which the program never writes.
SETTINGS='[bounceinit]\r\nTimeInterval=0\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=\r\n'
start_cover() { # start_cover bare|caption
    (cd / && exec wine "$E2E_TOOLS/probe.exe" cover "$1") &
    COVER_PID=$!
    wait_for_window ProbeCover
}
close_cover() { probe post ProbeCover 0x0010 0 0; reap "$COVER_PID" 10; }
# The show's two X windows, seen without starting a Wine process.
show_mapped() {
    xdotool search --onlyvisible --classname hoplette.exe getwindowgeometry %@ 2>/dev/null | grep -c 'Geometry: 512x768'
}
end_program() {
    probe post ParkClass 0x0010 0 0
    xdotool click 1
    wait_program_exit
}

new_program_folder
printf "$SETTINGS" >"$PROGRAM_DIR/Hoplette.ini"
start_cover bare
start_program
sleep 3
held_back() { [ "$(show_windows)" = 0 ] && [ "$(probe foreground)" = ProbeCover ]; }
check "no show for 3 s (6 waits) while a full-screen program is in front ($(probe foreground) in front)" held_back
close_cover
gone=$(date +%s%N)
for _ in $(seq 100); do [ "$(show_mapped)" = 2 ] && break; sleep 0.02; done
came=$(( ($(date +%s%N) - gone) / 1000000 ))
came_soon() { [ "$(show_mapped)" = 2 ] && [ "$came" -lt 1000 ]; }
check "the show comes within a second once it goes ($came ms after)" came_soon
end_program
rm -rf "$PROGRAM_DIR"

for case in "caption|" "bare|ShowOverFullScreen=1"; do
    cover=${case%%|*} line=${case#*|}
    new_program_folder
    printf "$SETTINGS%b" "${line:+$line\r\n}" >"$PROGRAM_DIR/Hoplette.ini"
    cp "$PROGRAM_DIR/Hoplette.ini" "$PROGRAM_DIR/before.ini"
    start_cover "$cover"
    start_program
    check "$cover cover $line: the show starts at once" wait_for_show
    end_program
    close_cover
    check "$cover cover $line: the settings file is as it was" cmp -s "$PROGRAM_DIR/Hoplette.ini" "$PROGRAM_DIR/before.ini"
    rm -rf "$PROGRAM_DIR"
done

# Windows keeps the foreground from a program that opens a window while the
# user works in another (the foreground lock); Wine has none. The probe's
# lock cover stands in for it: whenever the foreground leaves it, it takes
# the foreground, the keyboard and the front back, as the lock leaves them.
# It sends its input as a remote-control tool does, and counts what reaches it.
new_program_folder
printf "$SETTINGS" >"$PROGRAM_DIR/Hoplette.ini"
start_cover lock
start_program
cover_in_front() { [ "$(probe foreground)" = ProbeCover ]; }
cover_caption() { probe window ProbeCover | cut -d' ' -f8-; }
shown_at_centre() { probe at 512 384 | grep -qix static; }
for press in key click; do
    check "lock, $press: a timed show starts" wait_for_show
    check "lock, $press: the other program has the foreground back" wait_for 5 cover_in_front
    check "lock, $press: a show window is at the screen's centre, above it ($(probe at 512 384))" shown_at_centre
    before=$(show_handles)
    send=0x8000; [ "$press" = click ] && send=0x8001
    probe post ProbeCover $send 0 0
    check "lock, $press: the $press ends the show and the next comes" wait_for 5 new_show_since "$before"
    check "lock, $press: the other program received nothing and has the keyboard ($(cover_caption))" \
        [ "$(cover_caption)" = "keys 0 buttons 0 focus 1" ]
done
probe post ParkClass 0x0010 0 0
probe post ProbeCover 0x8001 0 0
wait_program_exit
close_cover
check "lock: exit code 0" [ "$PROGRAM_STATUS" -eq 0 ]
rm -rf "$PROGRAM_DIR"

# Where Windows gives a timed show the foreground (the user went back to
# another program after starting Hoplette, and no lock keeps it there), the
# show gives it back. Wine's park window takes the foreground when a show
# window that had it goes, so only the show's giving back brings it to the
# other program. The wait of a minute passes at once: its 242 ticks posted.
new_program_folder
printf '[bounceinit]\r\nTimeInterval=1\r\nSpeed=60\r\nSound=\r\n' >"$PROGRAM_DIR/Hoplette.ini"
start_program
start_cover once
check "once: the other program has the foreground" wait_for 5 cover_in_front
probe post ParkClass 0x0113 1 0 242
shown() { [ "$(show_windows)" = 2 ] && [ "$(probe foreground)" = Static ]; }
check "once: the timed show comes and Windows gives it the foreground ($(probe foreground) in front)" wait_for 5 shown
probe post ProbeCover 0x8000 0 0
no_show() { [ "$(show_windows)" = 0 ]; }
check "once: the key ends the show" wait_for 5 no_show
check "once: the other program has the foreground back" wait_for 5 cover_in_front
check "once: it received nothing and has the keyboard ($(cover_caption))" [ "$(cover_caption)" = "keys 0 buttons 0 focus 1" ]
end_program
close_cover
rm -rf "$PROGRAM_DIR"

# A lock that comes while a show runs stops its painting: two screenshots a
# second apart are alike until the unlock, and differ after it. A locked
# screen holds the next timed show back; after the unlock the wait starts again.
still_between() { # still_between A B: the two screenshots have no pixel apart
    [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]
}
moved_between() { ! still_between "$@"; }
shots=$(mktemp -d)
new_program_folder
printf "$SETTINGS" >"$PROGRAM_DIR/Hoplette.ini"
start_program
check "lock: a show starts by itself" wait_for_show
probe post ParkClass 0x02B1 7 0
sleep 0.5
import -window root "$shots/1.png"; sleep 1; import -window root "$shots/2.png"
check "lock: the show paints nothing while the screen is locked" still_between "$shots/1.png" "$shots/2.png"
probe post ParkClass 0x02B1 8 0
sleep 0.5
import -window root "$shots/3.png"; sleep 1; import -window root "$shots/4.png"
check "lock: it goes on after the unlock" moved_between "$shots/3.png" "$shots/4.png"
check "lock: the same show, its windows still there" [ "$(show_windows)" = 2 ]
rm -rf "$shots"
probe post ParkClass 0x02B1 7 0
xdotool mousemove 600 400 key space
sleep 3
check "lock: no show for 3 s (6 waits) after the lock" [ "$(show_windows)" = 0 ]
probe post ParkClass 0x02B1 8 0
check "lock: the show comes after the unlock" wait_for_show
end_program
check "lock: exit code 0" [ "$PROGRAM_STATUS" -eq 0 ]
rm -rf "$PROGRAM_DIR"

# The sound file in a folder named in Korean or with an emoji is read at the
# start of every show (no sound device here, so only its opening is seen).
sound_opened() { # sound_opened EVENTS: inotifywait reported an open of the file
    grep -q OPEN "$1"
}
for folder in 한글폴더 🪐; do
    new_program_folder
    top=$PROGRAM_DIR
    PROGRAM_DIR="$top/$folder"
    mkdir -p "$PROGRAM_DIR"
    mv "$top/Hoplette.exe" "$PROGRAM_DIR/"
    cp "$(dirname "$0")/../../sounds/boing.wav" "$PROGRAM_DIR/"
    printf '[bounceinit]\r\nTimeInterval=0\r\nSpeed=60\r\nBowlNo_1=10011\r\nBowlNo_2=10014\r\nSound=boing.wav\r\n' \
        >"$PROGRAM_DIR/Hoplette.ini"
    start_program
    check "$folder: a show starts by itself" wait_for_show
    # Watch from inside the first show; the key press ends it and the wait
    # brings the next one, which reads the file.
    events=$(mktemp)
    inotifywait -e open -t 10 "$PROGRAM_DIR/boing.wav" >"$events" 2>&1 &
    watcher=$!
    for _ in $(seq 50); do grep -q 'Watches established' "$events" && break; sleep 0.1; done
    xdotool mousemove 600 400 key space
    reap "$watcher" 15
    check "$folder: the next show opens the sound file ($(tr '\n' ' ' <"$events"))" sound_opened "$events"
    check "$folder: and runs" wait_for_show
    rm -f "$events"
    probe post ParkClass 0x0010 0 0
    xdotool click 1
    wait_program_exit
    check "$folder: exit code 0 after shows" [ "$PROGRAM_STATUS" -eq 0 ]
    rm -rf "$top"
done
finish
