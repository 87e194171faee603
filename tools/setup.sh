#!/usr/bin/env bash
# Installs what the project needs and builds it. Idempotent: quick when nothing is missing.
#   tools/setup.sh            packages + release build in build/
#   tools/setup.sh --asan     also the sanitizer build of the engine in build-asan/
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

packages=(
    cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev
    fonts-dejavu-core fonts-liberation2 espeak-ng sox
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good poppler-utils
)

install_missing_packages() {
    # One query for all packages: one run per package costs a second on a busy machine.
    local installed missing=()
    installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null | awk '/ok installed/ { print $1 }')
    for package in "${packages[@]}"; do
        grep -qxF "$package" <<<"$installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    if ! $sudo apt-get install -y -qq "${missing[@]}" >/tmp/orbelin-apt.log 2>&1; then
        $sudo apt-get update -qq >>/tmp/orbelin-apt.log 2>&1
        $sudo apt-get install -y -qq "${missing[@]}" >>/tmp/orbelin-apt.log 2>&1 ||
            { cat /tmp/orbelin-apt.log; exit 1; }
    fi
}

configure_and_build() {
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    fi
    cmake --build "$dir" --parallel "$(nproc)"
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

install_missing_packages
configure_and_build build -DCMAKE_BUILD_TYPE=Release
# The voice recordings live in the base folder beside the programs, as the language files do.
tools/voice.sh build/bin
write_settings_store
if [ "${1:-}" = "--asan" ]; then
    configure_and_build build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBELIN_ENGINE_ONLY=ON \
        -DORBELIN_SANITIZE=ON -DORBELIN_BENCH=OFF
fi
