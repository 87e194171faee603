#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test suite: the release build, then the engine
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$root"
tools/setup.sh --asan
export QT_QPA_PLATFORM=offscreen
status=0
echo "== tests (release build)"
ctest --test-dir build --output-on-failure -j"$(nproc)" || status=1
echo "== engine tests (AddressSanitizer + UndefinedBehaviorSanitizer)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$(nproc)" || status=1
exit $status
