#!/usr/bin/env bash
# Runs a Windows program under Wine on a private display: the cross-compiled
# tests' emulator. Usage: wine-run.sh PROGRAM.exe [ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"
begin_session
wine "$@"
status=$?
end_session
exit $status
