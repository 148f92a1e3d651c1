#!/usr/bin/env bash
# Makes the release archive Hoplette-<version>.zip.
# Usage: tools/dist.sh OUTPUT_DIR HOPLETTE32.exe HOPLETTE64.exe [HOPLETTE.scr]
# The screen saver is taken from beside the 32-bit program unless named.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
exe32=$2
exe64=$3
scr=${4:-$(dirname "$exe32")/Hoplette.scr}
version=$(sed -n 's/^project(Hoplette VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=Hoplette-$version

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
# The program keeps its settings beside itself, so the archive holds one
# folder with everything in it and no settings file: the first start writes it.
cp "$exe32" "$stage/$name/Hoplette.exe"
cp "$exe64" "$stage/$name/Hoplette-64bit.exe"
# The screen saver beside the program: both keep their settings in the one Hoplette.ini.
cp "$scr" "$stage/$name/Hoplette.scr"
cp "$root/sounds/boing.wav" "$stage/$name/boing.wav"
# Windows' Notepad and older tools want CRLF line ends.
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$root/tools/dist/readme.txt" >"$stage/$name/readme.txt"
sed -e 's/$/\r/' "$root/LICENSE" >"$stage/$name/LICENSE.txt"
touch -d '2026-01-01 00:00:00' "$stage/$name" "$stage/$name"/*
rm -f "$out/$name.zip"
(cd "$stage" && zip -q -X -r "$out/$name.zip" "$name")
echo "$out/$name.zip"
