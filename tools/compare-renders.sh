#!/usr/bin/env bash
# Compares the pictures two builds of orbelin-solve draw for the same problems, file for file: every
# problem is rendered as PNG and as SVG, every other one with the Russian comments. Used to show that
# a change to the layout code which should not move a glyph leaves every picture as it was.
#
#   tools/compare-renders.sh OLD/orbelin-solve NEW/orbelin-solve [PROBLEMS]
#
# PROBLEMS is a batch file, one KIND<TAB>PROBLEM a line (default: tools/batch-problems.txt, and the
# built-in samples of res/samples/ in the editor's typed form). Exit status 0 when every picture agrees.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
old=$1
new=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# The samples become batch lines "KIND<TAB>--editor<TAB>PROBLEM".
samples_as_batch() {
    local file kind
    for file in Equations:equation Factorisation:factor Simplification:simplify; do
        kind=${file#*:}
        sed -e 's/;&$//' -e "s/^/$kind\t--editor\t/" "$root/res/samples/${file%%:*}.txt"
    done
}
if [ $# -ge 3 ]; then
    cp "$3" "$work/problems"
else
    { cat "$root/tools/batch-problems.txt"; samples_as_batch; } >"$work/problems"
fi

# render SOLVER DIR: one picture per problem and format; a problem that cannot be drawn leaves its
# error message in place of the picture, so that both builds must refuse it alike.
render() {
    local solver=$1 dir=$2 number=0 kind problem form lang format
    mkdir -p "$dir"
    while IFS=$'\t' read -r kind problem; do
        form=()
        if [[ $problem == --editor$'\t'* ]]; then
            form=(--editor)
            problem=${problem#--editor$'\t'}
        fi
        number=$((number + 1))
        lang=en
        [ $((number % 2)) -eq 0 ] && lang=ru
        for format in png svg; do
            "$solver" --render "$dir/$number.$format" --kind "$kind" --lang "$lang" "${form[@]}" -- "$problem" \
                >"$dir/$number.$format.log" 2>&1 || true
        done
    done <"$work/problems"
}

render "$old" "$work/old"
render "$new" "$work/new"
if diff -r "$work/old" "$work/new" >"$work/diff"; then
    echo "compare-renders: $(find "$work/new" -name '*.png' -o -name '*.svg' | wc -l) pictures identical"
else
    head -40 "$work/diff"
    echo "compare-renders: pictures differ" >&2
    exit 1
fi
