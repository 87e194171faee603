#!/usr/bin/env bash
# Installs the Debian packages the project needs that are not installed yet. Says what it does on
# standard error, one line a phase, and nothing at all when every package is there.
#   tools/install-packages.sh            the project's packages
#   tools/install-packages.sh PACKAGE…   those packages instead
#   ORBELIN_APT_LOG=FILE                 where apt-get's own output goes (default build/logs/apt.log)
# Exit status: 0 when every package is there, and also on a machine without apt-get (the build is then
# tried with what the machine has, after naming the packages to install by hand); 1 when a package
# could not be installed, with the cause and what to do.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
log=${ORBELIN_APT_LOG:-$root/build/logs/apt.log}

packages=(
    cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev
    fonts-dejavu-core fonts-liberation2 espeak-ng sox
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good poppler-utils libcpp-httplib-dev
    qt6-translations-l10n dpkg-dev file help2man
)
[ $# -gt 0 ] && packages=("$@")

say() { echo "setup: $*" >&2; }

fail() {
    say "$*"
    exit 1
}

missing_packages() {
    local installed
    # dpkg-query exits 1 when a package was never installed; its listing of the others still counts.
    installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
        awk '/ok installed/ { print $1 }' || true)
    local package
    for package in "${packages[@]}"; do
        grep -qxF "$package" <<<"$installed" || echo "$package"
    done
}

# Sets as_root to the command prefix that runs apt-get as root, or ends with what the user can do.
choose_root_prefix() {
    as_root=()
    [ "$(id -u)" -eq 0 ] && return 0
    local by_hand="as root: apt-get install -y ${missing[*]}"
    command -v sudo >/dev/null ||
        fail "installing packages needs root, and this machine has no sudo; run $by_hand"
    if sudo -n true 2>/dev/null; then
        as_root=(sudo -n)
    elif [ -t 0 ]; then
        say "sudo asks for your password to install the packages"
        sudo -v || fail "sudo refused; run $by_hand"
        as_root=(sudo)
    else
        fail "installing packages needs root, and sudo wants a password with no terminal to ask it on; run 'sudo -v' first, or $by_hand"
    fi
}

apt() {
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get -y -q -o DPkg::Lock::Timeout=300 "$@" >>"$log" 2>&1
}

# Names the cause of a failed apt-get run from its log, shows the log's end, and ends.
explain_apt_failure() {
    local what=$1 cause unknown
    unknown=$(sed -n "s/^E: Unable to locate package \(.*\)/\1/p; s/^E: Package '\(.*\)' has no installation candidate/\1/p" \
        "$log" | sort -u | tr '\n' ' ')
    if grep -q "No space left on device" "$log"; then
        cause="the disk is full ($(df -h --output=avail "$root" 2>/dev/null | tail -1 | tr -d ' ') free): make room and run again"
    elif grep -Eq "Temporary failure resolving|Could not resolve|Network is unreachable|Could not connect|Connection timed out|Failed to fetch" "$log"; then
        cause="the package mirror cannot be reached: check the network (and /etc/apt/sources.list*) and run again"
    elif grep -Eq "Could not get lock|Unable to acquire the dpkg frontend lock" "$log"; then
        cause="another package manager holds the lock: wait for it to finish and run again"
    elif grep -Eq "is not in the sudoers file|a password is required|may not run sudo" "$log"; then
        cause="sudo does not let this user install packages: run as root: apt-get install -y ${missing[*]}"
    elif [ -n "$unknown" ]; then
        cause="these packages are not in this machine's package lists: ${unknown% } (is this Debian 12 or newer?)"
    else
        cause="apt-get failed"
    fi
    say "$what failed: $cause"
    say "the last lines of the apt log $log:"
    tail -n 15 "$log" | sed 's/^/    /' >&2
    exit 1
}

main() {
    mapfile -t missing < <(missing_packages)
    [ ${#missing[@]} -eq 0 ] && return 0
    if ! command -v apt-get >/dev/null; then
        say "this machine has no apt-get; install these packages (or your system's equivalents) yourself: ${missing[*]}"
        say "trying the build with what the machine has"
        return 0
    fi
    mkdir -p "$(dirname "$log")"
    : >"$log"
    choose_root_prefix
    say "installing ${#missing[@]} Debian packages (${missing[*]}): a few minutes on a new machine; log in $log"
    if ! apt install "${missing[@]}"; then
        # A new machine may have no package lists yet, or old ones that name files gone from the mirror.
        say "updating the package lists and trying again"
        apt update || explain_apt_failure "updating the package lists"
        apt install "${missing[@]}" || explain_apt_failure "installing the packages"
    fi
    mapfile -t missing < <(missing_packages)
    [ ${#missing[@]} -eq 0 ] || fail "apt-get finished, but these packages are still not installed: ${missing[*]} (log: $log)"
}

main
