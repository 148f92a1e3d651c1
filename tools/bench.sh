#!/usr/bin/env bash
# Benchmarks on a private virtual display: start-up time beside a minimal
# window program, and the figures of a show. Usage: tools/bench.sh [build/win32]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/wine/session.sh"
# The 32-bit build where this machine runs 32-bit programs, else the 64-bit one.
build=$(cd "${1:-$(runnable_build "$here/../build")}" && pwd)
echo "Benchmarks of $build"
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
begin_session

folder=$(mktemp -d)
cp "$build/Hoplette.exe" "$build/minimal.exe" "$build/launch.exe" "$folder/"
cd "$folder"
wine launch.exe ParkClass Hoplette.exe >/dev/null 2>&1 # warms the caches
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
# Alternate the two programs so that a busy moment of the machine hits both alike.
: >hoplette.times
: >minimal.times
for _ in $(seq 11); do
    wine launch.exe ParkClass Hoplette.exe 2>/dev/null | tr -d '\r' >>hoplette.times
    wine launch.exe MinimalClass minimal.exe 2>/dev/null | tr -d '\r' >>minimal.times
done
hoplette=$(median <hoplette.times)
minimal=$(median <minimal.times)
echo "start-up to visible window   Hoplette $hoplette ms, minimal program $minimal ms, ratio $(awk "BEGIN {printf \"%.2f\", $hoplette / $minimal}") (median of 11)"
# The lines "hook wait CASE MS" of the show benchmarks are gathered into one line at the end.
hook_waits=$(mktemp)
show_figures() { tr -d '\r' | tee >(grep '^hook wait' >>"$hook_waits") | grep -v '^hook wait'; }
# The sample sound, by name, for the show that plays it at every edge.
sound="Z:$(cd "$here/../sounds" && pwd | tr / '\\')\\boing.wav"
wine "$build/bench_show.exe" "$sound" 2>/dev/null | show_figures

# The screen saver's preview (/p) in a 152 x 112 window of another process, as
# Windows' settings give it: CPU of its process over 20 s of a Double show at
# Speed 60 (the built-in settings).
cp "$build/Hoplette.scr" "$build/probe.exe" "$folder/"
wine probe.exe parent 152 112 >parent.txt 2>/dev/null &
parent=$!
for _ in $(seq 50); do [ -s parent.txt ] && break; sleep 0.2; done
wine Hoplette.scr /p "$(tr -d '\r\n' <parent.txt)" &
preview=$!
sleep 3
saver=$(pgrep -n -f 'Hoplette.scr /p')
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
before=$(cpu_ticks "$saver")
sleep 20
after=$(cpu_ticks "$saver")
echo "screen saver preview        $(awk "BEGIN {printf \"%.2f\", ($after - $before) * 100 / ($(getconf CLK_TCK) * 20)}")% of a core (152 x 112, Double, Speed 60, 20 s)"
wine probe.exe post ProbeParent 0x0010 0 0 >/dev/null 2>&1
wait "$parent" "$preview"

# The screen saver's show (/s) on a display with two monitors, 1024 x 768 and
# 800 x 600: CPU of its process over 20 s of the built-in Double show at Speed
# 60 on the primary monitor alone (the other covered black), then on both
# (SaverMonitors=1). Xorg's dummy driver needs root.
end_session
if start_two_monitor_display right 2>/dev/null; then
    prepare_prefix
    show_cpu() { # show_cpu SAVERMONITORS: percent of a core
        printf '[bounceinit]\r\nSaverMonitors=%s\r\n' "$1" >Hoplette.ini
        wine Hoplette.scr /s >/dev/null 2>&1 &
        local show=$! saver before after
        sleep 3
        saver=$(pgrep -n -f 'Hoplette.scr /s')
        before=$(cpu_ticks "$saver")
        sleep 20
        after=$(cpu_ticks "$saver")
        xdotool key space
        wait "$show"
        awk "BEGIN {printf \"%.2f\", ($after - $before) * 100 / ($(getconf CLK_TCK) * 20)}"
    }
    one=$(show_cpu 0)
    two=$(show_cpu 1)
    echo "screen saver show           $one% of a core on one monitor, $two% on two (Double, Speed 60, 20 s each)"
    # The program's Double show at Speed 60 for each ShowMonitors, 8 s each.
    wine "$build/bench_show.exe" monitors 2>/dev/null | show_figures
    # The program's show through a change of the primary monitor's mode and back.
    (sleep 3; xrandr --output DUMMY0 --mode 800x600; sleep 2; xrandr --output DUMMY0 --mode 1024x768) &
    changer=$!
    wine "$build/bench_show.exe" change 2>/dev/null | show_figures
    wait "$changer"
else
    echo "screen saver show           skipped: the two-monitor display (Xorg's dummy driver) needs root"
    for choice in "primary only" each "across all"; do
        printf "two monitors, %-12s skipped: the two-monitor display (Xorg's dummy driver) needs root\n" "$choice"
    done
    echo "hook wait display change skipped (the two-monitor display needs root)" >>"$hook_waits"
fi
cd / && rm -rf "$folder"
end_session

# The pace at 150% (144 DPI, a prefix of its own) on a screen of the same
# 1024 x 768 96-DPI units: the same frames a second, 1.5 times the pixels.
export HOPLETTE_DPI=144
# Its prefix is made from the 96-DPI one under that one's lock, which this
# shell still holds from its first session: a first run would wait for itself.
[ -n "${HOPLETTE_LOCK_FD:-}" ] && exec {HOPLETTE_LOCK_FD}>&-
begin_session 1536x1152x24
wine "$build/bench_show.exe" scale 2>/dev/null | show_figures
end_session
sleep 0.1 # the last tee's lines
# Windows removes a low-level hook that keeps input waiting too long
# (LowLevelHooksTimeout): the longest wait of each show, goal at most 50 ms.
echo "input's longest wait for the show's hooks (goal 50 ms): $(sed 's/^hook wait //; s/\([0-9.]*\)$/\1 ms/' "$hook_waits" | paste -sd ';' | sed 's/;/; /g')"
rm -f "$hook_waits"
