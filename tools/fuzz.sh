#!/usr/bin/env bash
# Builds the fuzz target (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz/ and runs it for SECONDS (default 60) with one job.
#   tools/fuzz.sh [SECONDS [LIBFUZZER-OPTION...]]
# The growing corpus lives in build-fuzz/corpus (seeded from fuzz/seeds and fuzz/regressions); an
# input that breaks a check lands in build-fuzz/artifacts/ and belongs in fuzz/regressions/, where
# the cli tests replay it. The timeout is wall time of the sanitizer build on a shared machine; the
# checks themselves bound the processor time of every solve.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-60}
shift || true

packages=(clang libclang-rt-14-dev cmake ninja-build libgtest-dev libgmock-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "fuzz: installing ${missing[*]}" >&2
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get install -y -qq "${missing[@]}" >/tmp/orbelin-fuzz-apt.log 2>&1 || {
        $sudo apt-get update -qq >>/tmp/orbelin-fuzz-apt.log 2>&1
        $sudo apt-get install -y -qq "${missing[@]}" >>/tmp/orbelin-fuzz-apt.log 2>&1 ||
            { cat /tmp/orbelin-fuzz-apt.log >&2; exit 1; }
    }
fi

if [ ! -f build-fuzz/build.ninja ]; then
    CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBELIN_ENGINE_ONLY=ON \
        -DORBELIN_SANITIZE=ON -DORBELIN_FUZZ=ON -DORBELIN_BENCH=OFF >/dev/null
fi
cmake --build build-fuzz --target solve-fuzzer --parallel "$(nproc)" >&2

mkdir -p build-fuzz/corpus build-fuzz/artifacts
exec build-fuzz/bin/solve-fuzzer build-fuzz/corpus fuzz/seeds fuzz/regressions \
    -dict=fuzz/markup.dict -max_total_time="$seconds" -max_len=4096 -timeout=120 -rss_limit_mb=2560 \
    -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 "$@"
