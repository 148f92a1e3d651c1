#!/usr/bin/env bash
# Installs what building, running and testing Hoplette needs on Debian 12.
# Quiet and quick when everything is already there.
set -euo pipefail

# Only the installing needs root: as a normal user, sudo is asked for that alone.
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

packages=(
  cmake make ninja-build g++ libgtest-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine32:i386 wine64
  xvfb xdotool x11-utils imagemagick inotify-tools
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  locales fonts-ipafont-gothic fonts-wine
  python3 zip unzip procps
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# apt-get says nothing for minutes on a first run: a line every 20 s says how far it is.
install_missing() {
  local log status
  log=$(mktemp)
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}" >"$log" 2>&1 &
  local apt=$!
  while kill -0 "$apt" 2>/dev/null; do
    sleep 20
    kill -0 "$apt" 2>/dev/null &&
      echo "  ... $(grep -c '^Get:' "$log") fetched, $(grep -c '^Setting up ' "$log") set up, of$(sed -n 's/.* \([0-9]*\) newly installed.*/ \1/p' "$log" | head -n 1) packages"
  done
  wait "$apt" && status=0 || status=$?
  [ "$status" -eq 0 ] || tail -n 20 "$log" >&2
  rm -f "$log"
  return "$status"
}

if [ "${#missing[@]}" -gt 0 ]; then
  if [ -n "$SUDO" ] && ! command -v sudo >/dev/null 2>&1; then
    echo "Missing packages (${missing[*]}) and no sudo to install them: run this once as root." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  echo "(the first run installs the i386 architecture, Wine and the Japanese locale system-wide: about 5 to 10 minutes)"
  $SUDO apt-get update -qq
  install_missing
elif [ "${need_update:-0}" = 1 ]; then
  $SUDO apt-get update -qq
fi

# Wine needs a Japanese locale so that the ANSI code page is 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
