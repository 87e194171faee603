#!/usr/bin/env bash
# Builds the Debian package from this build (cpack) and checks what a user installs: the control fields
# (computed library dependencies, the fonts and sound plugins, no development package), the file list
# (programs, data, menu entry, icons, man pages, documentation, nothing outside /usr), and that the
# unpacked programs find their data in ../share/orbelin/ without any settings store.
#   package-test.sh BUILD_DIR
set -uo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! (cd "$build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
deb=$(ls "$work"/out/orbelin_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "FAIL: no package was made"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = orbelin ] || fail "Package is '$(field Package)'"
[ -n "$(field Version)" ] || fail "no Version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
for needed in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6multimedia6 fonts-dejavu-core \
    fonts-liberation2 gstreamer1.0-plugins-good qt6-translations-l10n; do
    [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "Depends lacks $needed: $depends"
done
[[ $depends == *-dev[\ ,]* || $depends == *-dev ]] && fail "Depends names a development package: $depends"

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's#^\./#/#; s#/$##' | sort >"$work/files"
for file in /usr/bin/orbelin /usr/bin/orbelin-solve \
    /usr/share/orbelin/Res/English.ini /usr/share/orbelin/Res/Russian.ini /usr/share/orbelin/Res/mirel.bmp \
    /usr/share/orbelin/samples/Equations.txt \
    /usr/share/applications/orbelin.desktop /usr/share/icons/hicolor/scalable/apps/orbelin.svg \
    /usr/share/icons/hicolor/48x48/apps/orbelin.png /usr/share/icons/hicolor/256x256/apps/orbelin.png \
    /usr/share/man/man1/orbelin.1.gz /usr/share/man/man1/orbelin-solve.1.gz \
    /usr/share/doc/orbelin/copyright /usr/share/doc/orbelin/changelog.gz; do
    grep -qxF "$file" "$work/files" || fail "the package lacks $file"
done
if [ -d "$build/bin/English/Sounds" ]; then
    grep -q '^/usr/share/orbelin/English/Sounds/.*\.wav$' "$work/files" || fail "the package lacks the voice clips"
fi
outside=$(grep -v '^/usr' "$work/files" | grep -vx '/\?\.\?' || true)
[ -z "$outside" ] && grep -q '^/usr/local' "$work/files" && outside=/usr/local
[ -z "$outside" ] || fail "files outside /usr: $outside"
grep -q 'test\|Bench\|link-check' "$work/files" && fail "tests or benchmarks are packaged: $(grep 'test\|Bench' "$work/files" | head -3)"

# The unpacked programs, with no settings store and a home of their own, find their data.
dpkg-deb -x "$deb" "$work/root"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$HOME"
solved=$("$work/root/usr/bin/orbelin-solve" --lang ru "x+1=3" 2>&1)
[[ $solved == *"Ответ"* ]] || fail "the unpacked orbelin-solve has no comment texts: $solved"
[ "$("$work/root/usr/bin/orbelin-solve" --version)" = "orbelin-solve $(field Version)" ] ||
    fail "orbelin-solve --version is not the package's version"
[ "$("$work/root/usr/bin/orbelin" --version)" = "orbelin $(field Version)" ] ||
    fail "orbelin --version is not the package's version"
QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/orbelin" --screenshot "$work/shot.png" --kind simplify "(x^2-1)/(x+1)" \
    >"$work/shot.log" 2>&1 || fail "the unpacked orbelin cannot draw its window: $(cat "$work/shot.log")"

if command -v man >/dev/null; then
    for page in orbelin orbelin-solve; do
        text=$(MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/man1/$page.1.gz" 2>"$work/man.err")
        [ -s "$work/man.err" ] && fail "man -l $page.1.gz warns: $(cat "$work/man.err")"
        [[ $text == *"--kind"* ]] || fail "the man page of $page does not hold its options"
    done
fi
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$work/root/usr/share/applications/orbelin.desktop" || fail "the menu entry is not valid"
fi

[ "$failures" -eq 0 ] && echo "package: $(basename "$deb") passed every check"
exit $((failures > 0))
