#!/usr/bin/env bash
# Sets up what is missing and starts the desktop program;
#   ./run.sh solve PROBLEM [options]   solves in the terminal (the options of orbelin-solve).
#   ./run.sh serve [options]           serves the page and the API (the options of orbelin-serve).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$root"
if [ "${1:-}" = "solve" ]; then
    shift
    tools/setup.sh
    exec build/bin/orbelin-solve "$@"
fi
if [ "${1:-}" = "serve" ]; then
    shift
    tools/setup.sh
    exec build/bin/orbelin-serve "$@"
fi
# The window needs a display; a picture (--screenshot) or a platform named by the caller does not.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ] && [[ " $* " != *" --screenshot "* ]]; then
    echo "run.sh: there is no display (DISPLAY and WAYLAND_DISPLAY are unset); draw the window into a picture with ./run.sh --screenshot out.png --kind simplify '(x^2-1)/(x+1)', or solve in the terminal with ./run.sh solve 'x^2-5x+6=0'" >&2
    exit 2
fi
tools/setup.sh
if [ ! -x build/bin/orbelin ]; then
    echo "run.sh: the desktop program is not built yet; use ./run.sh solve PROBLEM" >&2
    exit 2
fi
exec build/bin/orbelin "$@"
