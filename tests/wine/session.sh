# Sourced by the test and tool scripts: a private X display and a private Wine
# prefix, so that nothing touches the user's own ~/.wine or display.
#   WINEPREFIX      the prefix to use (created on first use)
#   HOPLETTE_SCREEN the virtual screen, e.g. 1024x768x24
#   HOPLETTE_DPI    the display's pixels per inch (96 unless set): another
#                   value gets a prefix of its own, WINEPREFIX-dpiN

export WINEDLLOVERRIDES="mscoree,mshtml="
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

# Whether this machine runs 32-bit programs, decided once and passed on to the
# scripts this one starts. Some kernels have their 32-bit emulation switched
# off; HOPLETTE_NO_WIN32=1 takes that path on any machine.
if [ "${HOPLETTE_NO_WIN32:-}" = 1 ]; then
    export HOPLETTE_WIN32_RUNS=no HOPLETTE_WIN32_WHY="HOPLETTE_NO_WIN32=1 asks for 64-bit programs only"
elif [ -z "${HOPLETTE_WIN32_RUNS:-}" ]; then
    if "$WINE32_LOADER" --version >/dev/null 2>&1; then
        export HOPLETTE_WIN32_RUNS=yes HOPLETTE_WIN32_WHY=
    else
        export HOPLETTE_WIN32_RUNS=no HOPLETTE_WIN32_WHY="this machine runs no 32-bit programs (see: dmesg | grep -i '32-bit emulation')"
    fi
fi
# Every "wine" below goes through tests/wine/bin/wine, which picks the loader.
HOPLETTE_WINE_BIN=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/bin
case ":$PATH:" in
    *":$HOPLETTE_WINE_BIN:"*) ;;
    *) export PATH="$HOPLETTE_WINE_BIN:$PATH" ;;
esac

# 32 or 64 for a Windows program file (its PE header's machine), nothing otherwise.
program_bits() {
    [ -f "${1:-}" ] || return 0
    local header machine
    header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$header" ] || return 0
    machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    case $machine in
        014c) echo 32 ;;
        8664) echo 64 ;;
    esac
}

# Of BUILD/win32 and BUILD/win64, the build whose programs run here.
runnable_build() {
    if [ "$HOPLETTE_WIN32_RUNS" = yes ]; then echo "$1/win32"; else echo "$1/win64"; fi
}

# A test of the 32-bit suite (HOPLETTE_SUITE_BITS=32) on a machine that runs no
# 32-bit programs ends as skipped: ctest counts exit code 77 so.
skip_if_suite_cannot_run() {
    [ "${HOPLETTE_SUITE_BITS:-}" = 32 ] && [ "$HOPLETTE_WIN32_RUNS" = no ] || return 0
    echo "Skipped: $HOPLETTE_WIN32_WHY"
    exit 77
}

export WINEDEBUG=${WINEDEBUG:--all}
# A Japanese locale makes the ANSI code page 932, as on a Japanese Windows.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# Starts "$@" with -displayfd 3 and exports DISPLAY once it has told its number.
start_x_server() {
    local number out; out=$(mktemp)
    "$@" -displayfd 3 -nolisten tcp -noreset 3>"$out" >/dev/null 2>&1 &
    DISPLAY_PID=$!
    for _ in $(seq 200); do
        number=$(head -n 1 "$out" 2>/dev/null)
        [ -n "$number" ] && break
        sleep 0.05
    done
    rm -f "$out"
    [ -n "$number" ] || { echo "$1 did not start" >&2; stop_display; return 1; }
    export DISPLAY=":$number"
}

start_display() {
    start_x_server Xvfb -screen 0 "${1:-${HOPLETTE_SCREEN:-1024x768x24}}"
}

# Two monitors: the primary 1024 x 768 and a second one, 800 x 600 (or 600 x
# 800 with "portrait"), to the right of it (the default), to its right but 168
# px lower ("lower"), to its left or above it. Xvfb has only one; Xorg's dummy driver (run as root) has RandR outputs.
# Windows puts the primary monitor at 0,0, so the second one is at
# SECOND_X,SECOND_Y for Windows, and the two are at PRIMARY_X11_X,_Y and
# SECOND_X11_X,_Y on the X screen; SECOND_WIDTH x SECOND_HEIGHT is its size.
# Wine reads the layout when it starts: stop_wine before.
start_two_monitor_display() {
    local position=${1:-right} mode=800x600
    [ "${2:-}" = portrait ] && mode=600x800
    SECOND_WIDTH=${mode%x*} SECOND_HEIGHT=${mode#*x}
    PRIMARY_X11_X=0 PRIMARY_X11_Y=0 SECOND_X11_X=0 SECOND_X11_Y=0
    case $position in
    right) SECOND_X11_X=1024 ;;
    lower) SECOND_X11_X=1024 SECOND_X11_Y=168 ;; # to the right, its bottom level with the primary's
    left) PRIMARY_X11_X=$SECOND_WIDTH ;;
    above) PRIMARY_X11_Y=$SECOND_HEIGHT ;;
    *) echo "no such place for the second monitor: $position" >&2; return 1 ;;
    esac
    SECOND_X=$((SECOND_X11_X - PRIMARY_X11_X)) SECOND_Y=$((SECOND_X11_Y - PRIMARY_X11_Y))
    DISPLAY_LOG=$(mktemp)
    start_x_server Xorg -config "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/two-monitors.conf" -novtswitch \
        -logfile "$DISPLAY_LOG" || return 1
    # The dummy driver knows 800 x 600 but no portrait mode.
    [ "$mode" = 600x800 ] && xrandr --newmode 600x800 39.50 600 632 688 776 800 803 813 831 -hsync +vsync
    # The output counts as connected only once a full query has probed it
    # again; until then Wine leaves it out.
    if ! { xrandr --addmode DUMMY1 "$mode" &&
           xrandr --output DUMMY1 --mode "$mode" --pos "${SECOND_X11_X}x$SECOND_X11_Y" \
                  --output DUMMY0 --primary --pos "${PRIMARY_X11_X}x$PRIMARY_X11_Y" &&
           xrandr --query | grep -q "^DUMMY1 connected $mode+$SECOND_X11_X+$SECOND_X11_Y "; }; then
        echo "xrandr could not add the second monitor" >&2
        stop_display
        return 1
    fi
}

stop_display() {
    [ -n "${DISPLAY_PID:-}" ] && kill "$DISPLAY_PID" 2>/dev/null && reap "$DISPLAY_PID" 5
    DISPLAY_PID=
    [ -n "${DISPLAY_LOG:-}" ] && rm -f "$DISPLAY_LOG" "$DISPLAY_LOG.old"
    DISPLAY_LOG=
}

# Creates the prefix once. Unless told "managed", Wine draws its own window
# frames there, since the virtual displays run no window manager.
prepare_prefix() {
    : "${WINEPREFIX:?WINEPREFIX must name the private prefix}"
    export WINEPREFIX
    [ -f "$WINEPREFIX/.hoplette-ready" ] && { find_caption_font; return 0; }
    if [ -n "${HOPLETTE_BASE_PREFIX:-}" ] && [ -f "$HOPLETTE_BASE_PREFIX/.hoplette-ready" ]; then
        # A copy of the shared prefix, taken under its lock, is made in seconds.
        echo "Copying the Wine prefix $HOPLETTE_BASE_PREFIX to $WINEPREFIX (once)" >&2
        rm -rf "$WINEPREFIX"
        (flock 9 && cp -a "$HOPLETTE_BASE_PREFIX" "$WINEPREFIX") 9>"$HOPLETTE_BASE_PREFIX.lock"
        rm -f "$WINEPREFIX/.hoplette-ready"
        set_display_dpi
        find_caption_font
        touch "$WINEPREFIX/.hoplette-ready"
        return 0
    fi
    mkdir -p "$WINEPREFIX"
    echo "Making the Wine prefix $WINEPREFIX (a minute or two, once)" >&2
    timeout 300 wine wineboot -i >/dev/null 2>&1 || echo "wineboot did not make the prefix (exit code $?)" >&2
    [ -n "${HOPLETTE_BASE_PREFIX:-}" ] && set_display_dpi
    if [ "${1:-}" != managed ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    fi
    wineserver -w
    find_caption_font
    touch "$WINEPREFIX/.hoplette-ready"
}

# The display's scale for new processes. With DpiScalingVer set, Wine leaves
# a program unaware (drawn at 96 DPI) until it asks to be aware, as Windows
# does; without it, Wine takes every program as aware.
set_display_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$HOPLETTE_DPI" /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v DpiScalingVer /t REG_DWORD /d 4096 /f >/dev/null 2>&1
    wineserver -w
}

# A display scale other than 96 DPI gets a prefix of its own beside the
# shared one, so that no other test ever sees it.
use_dpi_prefix() {
    [ -z "${HOPLETTE_DPI:-}" ] || [ "$HOPLETTE_DPI" = 96 ] && return 0
    case "$HOPLETTE_DPI" in *[!0-9]*) echo "HOPLETTE_DPI must be a number" >&2; exit 2 ;; esac
    export HOPLETTE_BASE_PREFIX=$WINEPREFIX
    export WINEPREFIX=$WINEPREFIX-dpi$HOPLETTE_DPI
}

# This Wine finds none of the fonts it ships in its own folder, so the
# caption buttons come out as the letters "0 1 r". Marlett in the prefix's
# own Fonts folder is found.
find_caption_font() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] || { mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"; }
}

# Ends this prefix's Wine processes and waits (a bounded time) for its server
# to go: a server still running would hand its display, volatile registry and
# all, to the next session on this prefix.
stop_wine() {
    wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1 || {
        echo "stop_wine: the Wine server of $WINEPREFIX did not end in 20 s; killing it" >&2
        wineserver -k9 >/dev/null 2>&1
        timeout 10 wineserver -w >/dev/null 2>&1
    }
}

# Waits up to SECONDS (default 15) for a child process to end, then ends it
# (TERM, then KILL); its exit code is in REAPED_STATUS (143 or 137 if ended).
reap() { # reap PID [SECONDS]
    local pid=$1 limit=${2:-15}
    if ! wait_for "$limit" gone "$pid"; then
        echo "reap: process $pid ($(ps -o args= -p "$pid" 2>/dev/null)) still running after $limit s: ending it" >&2
        kill "$pid" 2>/dev/null
        wait_for 3 gone "$pid" || kill -9 "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
    REAPED_STATUS=$?
}
gone() { ! kill -0 "$1" 2>/dev/null; }

wait_for() { # wait_for SECONDS COMMAND...: true once the command is
    local limit=$1 i; shift
    step "waiting up to $limit s for: $*"
    for i in $(seq $((limit * 5))); do "$@" && return 0; sleep 0.2; done
    return 1
}

# What a session is doing, for the watchdog: "step TEXT" names it.
step() { [ -n "${HOPLETTE_STEP_FILE:-}" ] && echo "$*" >"$HOPLETTE_STEP_FILE"; return 0; }

# A session that runs past HOPLETTE_LIMIT seconds (default 240, below ctest's
# 300) prints its step and its processes, ends its Wine processes and fails:
# a hang fails fast and says where.
start_watchdog() {
    local limit=${HOPLETTE_LIMIT:-240} session=$$
    HOPLETTE_STEP_FILE=$(mktemp)
    echo "starting" >"$HOPLETTE_STEP_FILE"
    (
        # The prefix's lock is the session's, not the watchdog's.
        [ -n "${HOPLETTE_LOCK_FD:-}" ] && exec {HOPLETTE_LOCK_FD}>&-
        watchdog=$BASHPID
        sleep "$limit" >/dev/null 2>&1 &
        sleeper=$!
        trap 'kill $sleeper 2>/dev/null; exit 0' TERM
        wait $sleeper
        echo "TIMEOUT: ${0##*/} ran past its limit of $limit s, at step: $(cat "$HOPLETTE_STEP_FILE")"
        echo "Still running:"
        # The session's descendants (but this watchdog's) and Wine's own processes.
        ps -eo pid=,ppid=,etime=,args= | awk -v root="$session" -v self="$watchdog" '
            { parent[$1] = $2; line[$1] = $0; wine[$1] = ($2 == 1 && $4 ~ /wineserver|^[A-Z]:/) }
            END { for (p in line) { q = p; while (q in parent && q != root && q != self && q > 1) q = parent[q]
                                    if ((q == root && p != root) || wine[p]) print "  " line[p] } }' | sort -n
        wineserver -k >/dev/null 2>&1
        kill -TERM "$session" 2>/dev/null
    ) &
    HOPLETTE_WATCHDOG=$!
    trap 'on_watchdog' TERM
    # A session that ends another way (a skip, an early failure) takes its watchdog along.
    trap 'stop_watchdog' EXIT
}
on_watchdog() {
    trap - TERM
    end_session
    exit 1
}
stop_watchdog() {
    [ -n "${HOPLETTE_WATCHDOG:-}" ] || return 0
    kill "$HOPLETTE_WATCHDOG" 2>/dev/null
    wait "$HOPLETTE_WATCHDOG" 2>/dev/null
    rm -f "$HOPLETTE_STEP_FILE"
    HOPLETTE_WATCHDOG= HOPLETTE_STEP_FILE=
}

# Takes the prefix's lock for the rest of the calling shell: Wine tests that
# share a prefix run one at a time, each with its own display.
lock_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec {HOPLETTE_LOCK_FD}>"$WINEPREFIX.lock"
    flock "$HOPLETTE_LOCK_FD"
}

# The usual start: this prefix to ourselves, a virtual display of the given
# size (default HOPLETTE_SCREEN or 1024x768x24), the prefix made if need be.
begin_session() {
    skip_if_suite_cannot_run
    use_dpi_prefix
    lock_prefix
    start_watchdog
    step "starting the display"
    start_display "${1:-}" || exit 1
    step "making the prefix"
    prepare_prefix
    use_silent_sound_device
    [ -n "${HOPLETTE_PROBE:-}" ] && require_the_given_screen "${1:-${HOPLETTE_SCREEN:-1024x768x24}}"
    return 0
}

# Sessions play sound into ALSA's null device, set up in the prefix's folder
# (never the user's own ~/.asoundrc): the program plays as it always does,
# and a machine without a sound card prints no complaints of ALSA's.
use_silent_sound_device() {
    local conf
    conf=$(dirname "$WINEPREFIX")/alsa-null.conf
    [ -f "$conf" ] || printf 'pcm.!default { type null }\n' >"$conf"
    export ALSA_CONFIG_PATH=$conf
}

# Wine must see the display the session was given: a session that would
# measure another screen fails at once, naming both sizes.
require_the_given_screen() { # require_the_given_screen WIDTHxHEIGHTxDEPTH
    local given=$1 seen
    step "asking Wine for the screen's size"
    seen=$(timeout -k 5 30 wine "$HOPLETTE_PROBE" screen 2>/dev/null | tr -d '\r')
    given=${given%x*}
    [ "${seen/ /x}" = "$given" ] && return 0
    echo "FAIL: Wine sees a ${seen/ /x} screen on the $given display this session was given"
    end_session
    exit 1
}

end_session() {
    step "ending the session"
    stop_wine
    stop_display
    stop_watchdog
}
