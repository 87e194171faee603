#!/usr/bin/env bash
# Compares the solutions two builds of orbelin-solve write for the same problems, byte for byte,
# leaving out the time each solve took. Used to show that a change which should not alter any
# solution (a refactoring, an optimisation) leaves every one as it was.
#
#   tools/compare-batch.sh OLD/orbelin-solve NEW/orbelin-solve [PROBLEMS]
#
# PROBLEMS is a batch file, one KIND<TAB>PROBLEM a line (default: tools/batch-problems.txt, a few
# hundred problems of all four kinds, hostile ones included). Exit status 0 when every line agrees.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
old=$1
new=$2
problems=${3:-$root/tools/batch-problems.txt}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# orbelin-solve exits with 1 when some batch line could not be used (the hostile ones): its exit
# status is compared with the solutions instead of ending this script.
solve() {
    local status=0
    "$1" --batch "$problems" >"$2.raw" 2>&1 || status=$?
    sed -E 's/"micros":[0-9]+/"micros":0/' "$2.raw" >"$2"
    echo "$status" >"$2.status"
}
solve "$old" "$work/old"
solve "$new" "$work/new"
if cmp -s "$work/old" "$work/new" && cmp -s "$work/old.status" "$work/new.status"; then
    echo "compare-batch: $(wc -l <"$work/new") solutions identical"
else
    diff "$work/old" "$work/new" | head -40 | cut -c1-300 || true
    echo "compare-batch: exit status $(cat "$work/old.status") before, $(cat "$work/new.status") after" >&2
    echo "compare-batch: solutions differ" >&2
    exit 1
fi
