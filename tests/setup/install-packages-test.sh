#!/usr/bin/env bash
# Runs tools/install-packages.sh against a stand-in package manager: fake dpkg-query, apt-get, sudo and
# id alone on PATH (with the few real tools the script uses), each recording how it was called.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
script=$root/tools/install-packages.sh
mapfile -t all_packages < <(sed -n '/^packages=(/,/^)/p' "$script" | sed '1d;$d' | tr ' ' '\n' | sed '/^$/d')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL [$case_name]: $*"
    echo "  stderr was:"
    sed 's/^/    /' "$work/stderr"
    failures=$((failures + 1))
}

# A fresh stand-in machine: INSTALLED packages present; FAKE_* variables steer the fakes.
new_machine() {
    case_name=$1
    shift
    rm -rf "$work/m" && mkdir -p "$work/m/bin"
    printf '%s\n' "$@" >"$work/m/installed"
    : >"$work/m/apt-calls"
    : >"$work/m/sudo-calls"
    local tool
    for tool in bash env awk grep sed sort tr tail mkdir dirname cat df rm wc true; do
        ln -s "$(type -P "$tool")" "$work/m/bin/$tool"
    done
    cat >"$work/m/bin/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
# Lists the named packages like dpkg-query -W; a package never installed is an error (status 1).
status=0
for package in "$@"; do
    case $package in -*) continue ;; esac
    if grep -qxF "$package" "$FAKE_STATE/installed"; then
        echo "$package install ok installed"
    else
        echo "dpkg-query: no packages found matching $package" >&2
        status=1
    fi
done
exit $status
FAKE
    cat >"$work/m/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
# Records its call; "install" fails while FAKE_STATE/install-failures counts down, printing
# FAKE_STATE/install-error; "update" fails when FAKE_STATE/update-error exists, printing it.
echo "$*" >>"$FAKE_STATE/apt-calls"
args=()
for a in "$@"; do case $a in -o) skip=1 ;; -*) ;; *) [ -n "${skip:-}" ] && { skip=; continue; }; args+=("$a") ;; esac; done
case ${args[0]} in
update)
    [ -f "$FAKE_STATE/update-error" ] && { cat "$FAKE_STATE/update-error"; exit 100; }
    exit 0 ;;
install)
    left=$(cat "$FAKE_STATE/install-failures" 2>/dev/null || echo 0)
    if [ "$left" -gt 0 ]; then
        echo $((left - 1)) >"$FAKE_STATE/install-failures"
        cat "$FAKE_STATE/install-error"
        exit 100
    fi
    printf '%s\n' "${args[@]:1}" >>"$FAKE_STATE/installed" ;;
esac
FAKE
    cat >"$work/m/bin/sudo" <<'FAKE'
#!/usr/bin/env bash
echo "$*" >>"$FAKE_STATE/sudo-calls"
[ "$1" = -n ] && shift
[ -f "$FAKE_STATE/sudo-refuses" ] && { echo "sudo: a password is required" >&2; exit 1; }
exec "$@"
FAKE
    cat >"$work/m/bin/id" <<'FAKE'
#!/usr/bin/env bash
echo "${FAKE_UID:-0}"
FAKE
    chmod +x "$work/m/bin/"*
}

run_install() {
    FAKE_STATE=$work/m PATH=$work/m/bin ORBELIN_APT_LOG=$work/m/apt.log \
        "$work/m/bin/bash" "$script" </dev/null 2>"$work/stderr"
    status=$?
}

installs_asked() {
    grep -E '(^| )install( |$)' "$work/m/apt-calls" | tr ' ' '\n' | grep -vE '^-|^install$|^DPkg' | sed '/^$/d'
}

all_but() {
    local package
    for package in "${all_packages[@]}"; do
        [[ " $* " == *" $package "* ]] || echo "$package"
    done
}

expect_status() { [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"; }
expect_said() { grep -qF -- "$1" "$work/stderr" || fail "standard error does not say: $1"; }

# Every package reported missing is asked for, and nothing else; a second run asks for nothing.
mapfile -t present < <(all_but sox espeak-ng qt6-svg-dev)
new_machine "missing packages are installed" "${present[@]}"
run_install
expect_status 0
[ "$(installs_asked | sort | tr '\n' ' ')" = "espeak-ng qt6-svg-dev sox " ] ||
    fail "apt-get was asked for: $(installs_asked | tr '\n' ' ')"
expect_said "installing 3 Debian packages"
grep -q update "$work/m/apt-calls" && fail "the package lists were updated though the install succeeded"
case_name="a second run asks for nothing"
: >"$work/m/apt-calls"
run_install
expect_status 0
[ -s "$work/m/apt-calls" ] && fail "apt-get was called: $(cat "$work/m/apt-calls")"
[ -s "$work/stderr" ] && fail "a run with nothing to do printed something"

# Packages named on the command line (the browser for the tests) are installed instead of the project's.
new_machine "named packages instead of the project's" "${present[@]}"
FAKE_STATE=$work/m PATH=$work/m/bin ORBELIN_APT_LOG=$work/m/apt.log \
    "$work/m/bin/bash" "$script" chromium </dev/null 2>"$work/stderr"
status=$?
expect_status 0
[ "$(installs_asked | tr '\n' ' ')" = "chromium " ] || fail "apt-get was asked for: $(installs_asked | tr '\n' ' ')"

# A failing install is retried after updating the package lists.
new_machine "stale package lists are updated" "${present[@]}"
echo 1 >"$work/m/install-failures"
echo "E: Failed to fetch http://deb.debian.org/pool/main/s/sox/sox.deb  404  Not Found" >"$work/m/install-error"
run_install
expect_status 0
[ "$(grep -oE '(install|update)' "$work/m/apt-calls" | tr '\n' ' ')" = "install update install " ] ||
    fail "apt-get calls: $(tr '\n' '|' <"$work/m/apt-calls")"

# A failing update names the network, shows the log, and fails.
new_machine "no network" "${present[@]}"
echo 1 >"$work/m/install-failures"
echo "E: Failed to fetch http://deb.debian.org/pool/main/s/sox/sox.deb  Temporary failure resolving 'deb.debian.org'" \
    >"$work/m/install-error"
echo "Err:1 http://deb.debian.org/debian bookworm InRelease Temporary failure resolving 'deb.debian.org'" \
    >"$work/m/update-error"
run_install
expect_status 1
expect_said "updating the package lists failed: the package mirror cannot be reached"
expect_said "$work/m/apt.log"

# A package the mirror does not have is named.
new_machine "an unknown package" "${present[@]}"
echo 2 >"$work/m/install-failures"
echo "E: Unable to locate package espeak-ng" >"$work/m/install-error"
run_install
expect_status 1
expect_said "not in this machine's package lists: espeak-ng"

# A full disk is named as such.
new_machine "a full disk" "${present[@]}"
echo 2 >"$work/m/install-failures"
echo "E: Write error - write (28: No space left on device)" >"$work/m/install-error"
run_install
expect_status 1
expect_said "the disk is full"

# An ordinary user installs through sudo; without sudo, or when sudo refuses, the user is told what to run.
new_machine "an ordinary user with sudo" "${present[@]}"
FAKE_UID=1000 run_install
expect_status 0
grep -q "apt-get" "$work/m/sudo-calls" || fail "apt-get did not run through sudo"
new_machine "an ordinary user without sudo" "${present[@]}"
rm "$work/m/bin/sudo"
FAKE_UID=1000 run_install
expect_status 1
expect_said "this machine has no sudo; run as root: apt-get install -y"
[ -s "$work/m/apt-calls" ] && fail "apt-get was called without root"
new_machine "sudo refuses" "${present[@]}"
touch "$work/m/sudo-refuses"
FAKE_UID=1000 run_install
expect_status 1
expect_said "sudo wants a password"

# Without apt-get the packages to install by hand are named and the build is tried anyway.
new_machine "no apt-get"
rm "$work/m/bin/apt-get" "$work/m/bin/dpkg-query"
run_install
expect_status 0
expect_said "this machine has no apt-get; install these packages"
expect_said "qt6-base-dev"

[ "$failures" -eq 0 ] && echo "install-packages: every case passed"
exit $((failures > 0))
