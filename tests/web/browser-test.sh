#!/usr/bin/env bash
# The page in a real browser: orbelin-serve on a free loopback port, Debian's chromium headless
# loads a solution by its address, and the DOM it dumps must hold the solution's answer, the
# preview its script wrote, for a refused problem the marked column, and for a pupil's solution
# checked by its address the verdict of every line with the wrong one marked; a screenshot at a phone's
# width is taken and its size checked.
#   tests/web/browser-test.sh ORBELIN_SERVE SCREENSHOT_FOLDER
# Exit status 77 (counted as skipped) when chromium is not installed.
set -euo pipefail
serve=$1
shots=$2
browser=$(command -v chromium || true)
if [ -z "$browser" ]; then
    echo "SKIPPED: chromium is not installed (tools/setup.sh --asan installs it for these tests)"
    exit 77
fi
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/serve-helpers.sh"
work=$(mktemp -d)
trap 'stop_started_servers; rm -rf "$work"' EXIT

start_orbelin_serve "$serve" "$work/serve.out"
base=$served_url

# A fresh profile for every run; no proxy, no background traffic. The virtual time budget lets the
# page's script run (its preview asks the server) before the DOM is dumped.
run_browser() {
    timeout 90 "$browser" --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --no-proxy-server --user-data-dir="$work/profile-$RANDOM" \
        --virtual-time-budget=5000 "$@" 2>>"$work/chromium.log"
}

failures=0
expect_in() {
    local what=$1 pattern=$2 file=$3
    if grep -qF -- "$pattern" "$file"; then
        echo "ok: $what"
    else
        echo "FAIL: $what: \"$pattern\" is not in the page"
        failures=$((failures + 1))
    fi
}

solved="$base/?kind=simplify&lang=en&problem=%28x%5E2-1%29%2F%28x%2B1%29%2B2x"
run_browser --dump-dom "$solved" >"$work/solved.html"
expect_in "the comment of a step" "We cancel the common factors." "$work/solved.html"
# The answer band: "Answer : 3x − 1", its formula in MathML.
answer=$(grep -o '<div class="band answer [^>]*>.*' "$work/solved.html" | head -n 1 || true)
echo "$answer" >"$work/answer.html"
expect_in "the answer band" '<span class="comment">Answer</span>' "$work/answer.html"
expect_in "the answer's formula" '<mn>3</mn><mo>⁢</mo><mi>x</mi></mrow><mo>−</mo><mn>1</mn>' "$work/answer.html"
expect_in "the crossed-out factors" '<menclose notation="updiagonalstrike">' "$work/solved.html"
expect_in "the preview written by the page's script" 'aria-label="The problem as read"><math' "$work/solved.html"

refused="$base/?kind=equation&lang=ru&problem=2x%2B%29%3D1"
run_browser --dump-dom "$refused" >"$work/refused.html"
expect_in "the marked column of a reader error" "<mark>)</mark>" "$work/refused.html"
expect_in "the page in Russian" 'lang="ru"' "$work/refused.html"

checked="$base/?mode=check&kind=equation&lang=ru&problem=2x%2B3%3D11&lines=2x%3D8%0D%0Ax%3D5"
run_browser --dump-dom "$checked" >"$work/checked.html"
expect_in "a right line of the check" '<li class="right" data-line="2">' "$work/checked.html"
expect_in "the wrong line marked" '<li class="wrong" data-line="3" id="first-wrong">' "$work/checked.html"
expect_in "the wrong line's text marked" '<mark>x=5</mark>' "$work/checked.html"
expect_in "the verdict in Russian" 'корень этой строки, но не предыдущей' "$work/checked.html"
expect_in "the check's preview written by the page's script" 'aria-label="Как прочитана задача"><math' "$work/checked.html"

mkdir -p "$shots"
rm -f "$shots/page-phone.png"
run_browser --hide-scrollbars --window-size=412,900 --screenshot="$shots/page-phone.png" "$solved" >/dev/null
size=$(stat -c %s "$shots/page-phone.png" 2>/dev/null || echo 0)
if [ "$(head -c 8 "$shots/page-phone.png" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] &&
    [ "$size" -gt 10000 ]; then
    echo "ok: a screenshot of $size bytes in $shots/page-phone.png"
else
    echo "FAIL: the screenshot is missing or too small ($size bytes)"
    failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
    echo "chromium said:"
    tail -n 20 "$work/chromium.log"
    exit 1
fi
