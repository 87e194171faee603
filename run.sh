#!/usr/bin/env bash
# Sets up what is missing and starts the desktop program;
#   ./run.sh solve PROBLEM [options]   solves in the terminal (the options of orbelin-solve).
#   ./run.sh serve [options]           serves the page and the API (the options of orbelin-serve).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$root"
tools/setup.sh
if [ "${1:-}" = "solve" ]; then
    shift
    exec build/bin/orbelin-solve "$@"
fi
if [ "${1:-}" = "serve" ]; then
    shift
    exec build/bin/orbelin-serve "$@"
fi
if [ ! -x build/bin/orbelin ]; then
    echo "run.sh: the desktop program is not built yet; use ./run.sh solve PROBLEM" >&2
    exit 2
fi
exec build/bin/orbelin "$@"
