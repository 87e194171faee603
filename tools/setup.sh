#!/usr/bin/env bash
# Installs what the project needs and builds it. Idempotent: quick when nothing is missing.
# Everything it says goes to standard error, and only when it does something, so that
# "./run.sh solve --json ..." prints nothing but the solver's output on standard output.
#   tools/setup.sh            packages + release build in build/
#   tools/setup.sh --asan     also the sanitizer build of the engine in build-asan/
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

packages=(
    cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev
    fonts-dejavu-core fonts-liberation2 espeak-ng sox
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good poppler-utils libcpp-httplib-dev
)

install_missing_packages() {
    # One query for all packages: one run per package costs a second on a busy machine.
    local installed missing=()
    # dpkg-query exits 1 when a package was never installed; its listing of the others still counts.
    installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null | awk '/ok installed/ { print $1 }' || true)
    for package in "${packages[@]}"; do
        grep -qxF "$package" <<<"$installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "setup: installing ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    if ! $sudo apt-get install -y -qq "${missing[@]}" >/tmp/orbelin-apt.log 2>&1; then
        $sudo apt-get update -qq >>/tmp/orbelin-apt.log 2>&1
        $sudo apt-get install -y -qq "${missing[@]}" >>/tmp/orbelin-apt.log 2>&1 ||
            { cat /tmp/orbelin-apt.log >&2; exit 1; }
    fi
}

configure_and_build() {
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    fi
    local log
    log=$(mktemp)
    if ! cmake --build "$dir" --parallel "$(nproc)" >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        exit 1
    fi
    grep -q "ninja: no work to do" "$log" || cat "$log" >&2
    rm -f "$log"
}

# The desktop program's settings store names the base folder of this tree (Res/, Samples/ and the voice
# folders beside the programs); the program's own settings in it are kept.
write_settings_store() {
    local base="$root/build/bin/"
    local store="${XDG_CONFIG_HOME:-$HOME/.config}/Vantor Kastrel/Orbelin.conf"
    local line="PathProg=\"${base//\\/\\\\}\""
    mkdir -p "$(dirname "$store")" "${base}Samples"
    [ -f "$store" ] && grep -qxF "$line" "$store" && return 0
    [ -f "$store" ] || printf '[General]\n' >"$store"
    grep -q '^\[General\]' "$store" || printf '[General]\n' >>"$store"
    awk -v line="$line" '/^PathProg=/ { next } { print } /^\[General\]$/ { print line }' "$store" >"$store.new"
    mv "$store.new" "$store"
}

# Our own signal sounds in Res/: a rising chime at start-up, a short fanfare when a solve is finished.
make_signal_sounds() {
    local res=build/bin/Res
    [ -f "$res/zastav.wav" ] || sox -q -n -r 22050 -b 16 "$res/zastav.wav" synth 0.18 sine 523 : synth 0.18 sine 659 \
        : synth 0.3 sine 784 fade 0 0.3 0.15 vol 0.5
    [ -f "$res/siren4.wav" ] || sox -q -n -r 22050 -b 16 "$res/siren4.wav" synth 0.12 sine 784 \
        : synth 0.12 sine 988 : synth 0.25 sine 1175 fade 0 0.25 0.12 vol 0.5
}

# tools/voice.sh checks every list it speaks; when none of its inputs changed since it last ran and its
# folders are there, even that check is skipped, so that starting the program stays quick.
make_voice() {
    local stamp=build/bin/.voice-made-from sum
    sum=$(cat tools/voice.sh res/*.ini res/voice/*/*.txt 2>/dev/null | md5sum | cut -d' ' -f1)
    if [ -d build/bin/English ] && [ -d build/bin/Russian ] && [ "$(cat "$stamp" 2>/dev/null)" = "$sum" ]; then
        return 0
    fi
    tools/voice.sh build/bin >&2
    echo "$sum" >"$stamp"
}

install_missing_packages
configure_and_build build -DCMAKE_BUILD_TYPE=Release
# The voice recordings live in the base folder beside the programs, as the language files do.
make_voice
write_settings_store
make_signal_sounds
if [ "${1:-}" = "--asan" ]; then
    configure_and_build build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBELIN_ENGINE_ONLY=ON \
        -DORBELIN_SANITIZE=ON -DORBELIN_BENCH=OFF
fi
