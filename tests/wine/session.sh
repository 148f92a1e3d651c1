# Sourced by the test and tool scripts: a private X display and a private Wine
# prefix, so that nothing touches the user's own ~/.wine or display.
#   WINEPREFIX      the prefix to use (created on first use)
#   HOPLETTE_SCREEN the virtual screen, e.g. 1024x768x24

export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}
# A Japanese locale makes the ANSI code page 932, as on a Japanese Windows.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

start_display() {
    local geometry=${1:-${HOPLETTE_SCREEN:-1024x768x24}} number
    local out; out=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset 3>"$out" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 200); do
        number=$(head -n 1 "$out" 2>/dev/null)
        [ -n "$number" ] && break
        sleep 0.05
    done
    rm -f "$out"
    [ -n "$number" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$number"
}

stop_display() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}

# Creates the prefix once. Unless told "managed", Wine draws its own window
# frames there, since the virtual displays run no window manager.
prepare_prefix() {
    : "${WINEPREFIX:?WINEPREFIX must name the private prefix}"
    export WINEPREFIX
    [ -f "$WINEPREFIX/.hoplette-ready" ] && { find_caption_font; return 0; }
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    if [ "${1:-}" != managed ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    fi
    wineserver -w
    find_caption_font
    touch "$WINEPREFIX/.hoplette-ready"
}

# This Wine finds none of the fonts it ships in its own folder, so the
# caption buttons come out as the letters "0 1 r". Marlett in the prefix's
# own Fonts folder is found.
find_caption_font() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] || { mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"; }
}

stop_wine() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
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
    lock_prefix
    start_display "${1:-}" || exit 1
    prepare_prefix
}

end_session() {
    stop_wine
    stop_display
}
