#!/bin/sh
# The Quick start's commands where make itself is missing, as on a bare
# Debian 12 base system: installs make (as root, or through sudo), then runs it.
# Usage: ./make run | ./make test (or any target of the Makefile)
set -e
cd "$(dirname "$0")"
if ! command -v make >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then
        sudo=
    elif command -v sudo >/dev/null 2>&1; then
        sudo=sudo
    else
        echo "make is not installed and there is no sudo: run ./make once as root." >&2
        exit 1
    fi
    echo "Installing make (this system has none yet)"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends make >/dev/null
fi
exec make "$@"
