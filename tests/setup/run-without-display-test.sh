#!/usr/bin/env bash
# ./run.sh without a display says so in one line, with the ways to a picture or a terminal solution,
# and exits 2 before setting anything up.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
stderr=$(mktemp)
trap 'rm -f "$stderr"' EXIT
timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/run.sh" 2>"$stderr" >/dev/null
status=$?
failures=0
[ "$status" -eq 2 ] || { echo "FAIL: exit status $status, expected 2"; failures=1; }
[ "$(wc -l <"$stderr")" -eq 1 ] || { echo "FAIL: the message is not one line"; failures=1; }
for hint in "no display" "--screenshot" "./run.sh solve"; do
    grep -qF -- "$hint" "$stderr" || { echo "FAIL: the message does not say: $hint"; failures=1; }
done
[ "$failures" -eq 0 ] || { echo "stderr was:"; cat "$stderr"; }
exit $failures
