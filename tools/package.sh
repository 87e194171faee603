#!/usr/bin/env bash
# Builds the Debian package of the programs from the release build:
#   tools/package.sh [OUTDIR]     writes OUTDIR/orbelin_<version>_<arch>.deb (default: build/package/)
# It sets up what is missing first (packages, the build, the voice clips that the package carries).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
out=$(realpath -m "${1:-build/package}")
tools/setup.sh
mkdir -p "$out"
echo "package: making the Debian package in $out" >&2
log=build/logs/package.log
if ! (cd build && cpack -G DEB -B "$out") >"$log" 2>&1; then
    echo "package: cpack failed; the last lines of $log:" >&2
    tail -n 20 "$log" >&2
    exit 1
fi
rm -rf "$out/_CPack_Packages"
ls "$out"/orbelin_*.deb
