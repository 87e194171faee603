#!/usr/bin/env bash
# Generates the program's own short sounds with sox into BASE/Res/:
#   tools/sounds.sh BASE
#   siren4.wav   the sound that ends a solve: two rising tones
# A sound is made again only when this script changed since it was made.
set -euo pipefail
base=${1:?usage: tools/sounds.sh BASE}
res="$base/Res"
stamp="$res/.sounds.md5"
script_sum=$(md5sum "${BASH_SOURCE[0]}" | cut -d' ' -f1)
[ -f "$res/siren4.wav" ] && [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$script_sum" ] && exit 0
mkdir -p "$res"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tone() {
    sox -n -r 22050 -c 1 -b 16 "$work/$1.wav" synth "$2" sine "$3" sine "$4" remix - fade q 0.02 "$2" 0.12 vol 0.5
}
tone 1 0.35 520-700 1040-1400
tone 2 0.55 700-940 1400-1880
sox "$work/1.wav" "$work/2.wav" "$res/siren4.wav"
echo "$script_sum" >"$stamp"
