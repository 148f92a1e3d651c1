#!/usr/bin/env bash
# Starts Hoplette under Wine. On the current display when there is one;
# otherwise on a virtual one for a few seconds, with a screenshot.
# Usage: tools/run.sh [BUILD]   (the folder holding win32/ and win64/)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tests/wine/session.sh"
build=$(runnable_build "$(cd "${1:-$root/build}" && pwd)")
exe=$build/Hoplette.exe
if [ "$HOPLETTE_WIN32_RUNS" = yes ]; then
    echo "Starting the 32-bit Hoplette.exe ($exe)"
else
    echo "Starting the 64-bit Hoplette.exe ($exe): $HOPLETTE_WIN32_WHY"
fi
# The program keeps its settings beside itself: give it a folder of its own.
folder=$root/build/run
mkdir -p "$folder"
cp "$exe" "$folder/Hoplette.exe"
cd "$folder"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-run}
    prepare_prefix managed
    echo "Hoplette is running at the bottom-left corner of the screen; settings in $folder/Hoplette.ini"
    exec wine Hoplette.exe
fi

echo "No display found: running Hoplette on a virtual 1024x768 display for a few seconds."
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-headless}
begin_session 1024x768x24
wine Hoplette.exe &
sleep 5
import -window root "$folder/screenshot.png"
end_session
echo "Screenshot of the park window: $folder/screenshot.png (settings: $folder/Hoplette.ini)"
