#!/usr/bin/env bash
# Benchmarks on a private virtual display: start-up time beside a minimal
# window program, and the figures of a show. Usage: tools/bench.sh BUILD_DIR
set -u
build=$(cd "${1:-build/win32}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/wine/session.sh"
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
wine "$build/bench_show.exe" 2>/dev/null | tr -d '\r'
cd / && rm -rf "$folder"
end_session
