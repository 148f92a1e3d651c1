#!/usr/bin/env bash
# make test's runner: every suite runs, whatever the one before it did, then
# one summary of them all. Exits non-zero if any test failed or a suite could
# not run. Usage: tools/test.sh [BUILD]   (the folder holding host/, win64/, win32/)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
logs=$build/test-logs
mkdir -p "$logs"

summary=()
all_passed=0 all_failed=0 all_skipped=0
for suite in host win64 win32; do
    log=$logs/$suite.log
    jobs=()
    [ "$suite" = host ] && jobs=(-j "$(nproc)")
    echo "=== $suite ==="
    ctest --test-dir "$build/$suite" --output-on-failure --no-tests=error "${jobs[@]}" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    # ctest's verdict lines: "  3/29 Test  #3: name ....   Passed    1.2 sec",
    # "***Skipped", "***Failed", "***Timeout", "***Exception: ...".
    verdicts=$(grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: ' "$log")
    total=$(grep -c . <<<"$verdicts")
    passed=$(grep -cE ' Passed +[0-9.]+ sec$' <<<"$verdicts")
    skipped=$(grep -cE '\*\*\*(Skipped|Not Run)' <<<"$verdicts")
    failed=$((total - passed - skipped))
    # A suite that ended badly with no failed test (no tests, a crash of ctest
    # itself) counts as one failure, so that it cannot read as a pass.
    [ "$status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
    summary+=("$(printf '%-6s %7d %7d %8d' "$suite" "$passed" "$failed" "$skipped")")
    all_passed=$((all_passed + passed)) all_failed=$((all_failed + failed)) all_skipped=$((all_skipped + skipped))
done

echo
echo "Suite   passed  failed  skipped"
printf '%s\n' "${summary[@]}"
# (Asked in a subshell: the session's settings are the tests' own, not ctest's.)
why=$(. "$root/tests/wine/session.sh"; [ "$HOPLETTE_WIN32_RUNS" = yes ] || echo "$HOPLETTE_WIN32_WHY")
[ -z "$why" ] || echo "The 32-bit Wine tests were skipped: $why; the 64-bit build ran the whole Wine suite."
echo "Logs: $logs"
echo "$all_passed passed, $all_failed failed, $all_skipped skipped"
[ "$all_failed" -eq 0 ]
