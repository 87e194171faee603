#!/usr/bin/env bash
# Installs what the project needs and builds it. Idempotent: quick and silent when nothing is missing.
# Everything it says goes to standard error, one line a phase, so that "./run.sh solve --json ..."
# prints nothing but the solver's output on standard output. Full logs go to build/logs/.
#   tools/setup.sh            packages + release build in build/
#   tools/setup.sh --asan     also the sanitizer build of the engine in build-asan/
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
logs=$root/build/logs
# Measured on a new two-core machine: the release build and the sanitizer build of the engine.
declare -A first_build_minutes=([build]=15 [build-asan]=10)
# A first release build and the sanitizer build take about this much room, with some to spare.
first_build_megabytes=4000
# A line of build progress at most this often, instead of every compiler line.
progress_every_seconds=15

say() { echo "setup: $*" >&2; }

fail() {
    say "$*"
    exit 1
}

free_megabytes() {
    df -Pm "$root" | awk 'NR == 2 { print $4 }'
}

check_room_for_first_build() {
    local free
    free=$(free_megabytes)
    [ "$free" -ge "$first_build_megabytes" ] ||
        fail "only $free MB are free on the disk of $root; a first build needs about $first_build_megabytes MB: make room and run again"
}

# Names the cause of a failed configure or build, shows the end of its log, and ends.
explain_build_failure() {
    local what=$1 log=$2
    if grep -q "No space left on device" "$log"; then
        say "$what failed: the disk is full ($(free_megabytes) MB free): make room and run again"
    else
        say "$what failed"
    fi
    say "the last lines of $log:"
    tail -n 30 "$log" | sed 's/^/    /' >&2
    exit 1
}

# Runs the build, keeping every line in the log and showing ninja's [done/total] counter every few
# seconds. Says nothing when there is nothing to build.
build_with_progress() {
    local dir=$1 log=$2 first=$3
    local started=0 last=$SECONDS line
    cmake --build "$dir" --parallel "$(nproc)" 2>&1 | tee -a "$log" | while IFS= read -r line; do
        # [0/N] lines are ninja's own checks (of globbed folders, say), not build steps.
        [[ $line =~ ^\[([1-9][0-9]*)/([0-9]+)\] ]] || continue
        if [ $started -eq 0 ]; then
            started=1
            local estimate=""
            [ "$first" = yes ] && estimate=" (a first build takes about ${first_build_minutes[$dir]} minutes on two cores)"
            say "building $dir/: ${BASH_REMATCH[2]} steps$estimate; log in $log"
        elif ((SECONDS - last >= progress_every_seconds)); then
            last=$SECONDS
            say "  $dir/: ${BASH_REMATCH[1]} of ${BASH_REMATCH[2]} steps"
        fi
    done
}

configure_and_build() {
    local dir=$1 first=no
    shift
    local log=$logs/$dir.log
    mkdir -p "$logs"
    if [ ! -f "$dir/build.ninja" ]; then
        first=yes
        check_room_for_first_build
        say "configuring $dir/ (cmake $*)"
        cmake -S . -B "$dir" -G Ninja "$@" >"$log" 2>&1 || explain_build_failure "configuring $dir/" "$log"
    fi
    local start=$SECONDS
    : >>"$log"
    local before
    before=$(wc -l <"$log")
    build_with_progress "$dir" "$log" "$first" || explain_build_failure "building $dir/" "$log"
    # Only a build that did something is worth a line.
    if tail -n +"$((before + 1))" "$log" | grep -q '^\[[1-9]'; then
        say "built $dir/ in $((SECONDS - start)) s"
    fi
}

# The desktop program's settings store names the base folder of this tree (Res/, Samples/ and the voice
# folders beside the programs); the program's own settings in it are kept.
write_settings_store() {
    local base="$root/build/bin/"
    local store="${XDG_CONFIG_HOME:-$HOME/.config}/Vantor Kastrel/Orbelin.conf"
    local line="PathProg=\"${base//\\/\\\\}\""
    mkdir -p "$(dirname "$store")" "${base}Samples"
    [ -f "$store" ] && grep -qxF "$line" "$store" && return 0
    say "pointing the settings store $store at $base"
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
    command -v espeak-ng >/dev/null && command -v sox >/dev/null || {
        say "espeak-ng or sox is missing: the voice clips are not made (the program runs silent)"
        return 0
    }
    say "making the voice clips with espeak-ng (a minute or two the first time); log in $logs/voice.log"
    local start=$SECONDS
    tools/voice.sh build/bin >"$logs/voice.log" 2>&1 || explain_build_failure "making the voice clips" "$logs/voice.log"
    echo "$sum" >"$stamp"
    say "made the voice clips in $((SECONDS - start)) s"
}

ORBELIN_APT_LOG=$logs/apt.log tools/install-packages.sh
command -v cmake >/dev/null && command -v ninja >/dev/null && command -v g++ >/dev/null ||
    fail "cmake, ninja and g++ are needed to build; install them (Debian: cmake ninja-build g++) and run again"
configure_and_build build -DCMAKE_BUILD_TYPE=Release
# The voice recordings live in the base folder beside the programs, as the language files do.
make_voice
write_settings_store
command -v sox >/dev/null && make_signal_sounds
if [ "${1:-}" = "--asan" ]; then
    # The browser tests of the web page drive chromium, installed for the tests only; when it cannot
    # be, those tests are skipped and say so.
    ORBELIN_APT_LOG=$logs/apt-chromium.log tools/install-packages.sh chromium ||
        say "chromium could not be installed: the browser tests of the web page are skipped"
    configure_and_build build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBELIN_ENGINE_ONLY=ON \
        -DORBELIN_SANITIZE=ON -DORBELIN_BENCH=OFF
fi
