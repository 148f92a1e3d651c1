#!/usr/bin/env bash
# Runs a Windows program under Wine on a private display: the cross-compiled
# tests' emulator. Usage: wine-run.sh PROGRAM.exe [ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"
lock_prefix
start_display || exit 1
prepare_prefix
wine "$@"
status=$?
stop_wine
stop_display
exit $status
