#!/usr/bin/env bash
# Generates the voice recordings with espeak-ng into BASE/English/ and BASE/Russian/:
#   tools/voice.sh BASE
# Every list res/voice/<Language>/<Folder>.txt ("name<TAB>words" a line) becomes BASE/<Language>/<Folder>/
# with one name.wav per line; the comment texts of res/<Language>.ini become <Language>/Sounds/, named by
# their sound names. A folder is made again only when its list (or this script) changed since the
# last run, so a second run does nothing.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
base=${1:?usage: tools/voice.sh BASE}
script_sum=$(md5sum "${BASH_SOURCE[0]}" | cut -d' ' -f1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One espeak-ng run speaks the whole list with long breaks between the entries, and sox cuts the
# result at those breaks. When the cut does not give one piece per entry (a pause inside an entry
# as long as a break), the list is spoken one entry a run instead.
speak_list() {
    local voice=$1 list=$2 out=$3
    local names=() texts=()
    while IFS=$'\t' read -r name text; do
        names+=("$name")
        texts+=("$text")
    done <"$list"
    local count=${#names[@]}
    [ "$count" -eq 0 ] && return 0
    local ssml="$work/list.ssml" parts="$work/parts"
    rm -rf "$parts" && mkdir -p "$parts"
    {
        printf '<speak>'
        for text in "${texts[@]}"; do
            printf '%s<break time="1200ms"/>' "$(printf '%s' "$text" | sed 's/&/\&amp;/g; s/</\&lt;/g; s/>/\&gt;/g')"
        done
        printf '</speak>'
    } >"$ssml"
    espeak-ng -m -v "$voice" -w "$parts/all.wav" -f "$ssml"
    sox "$parts/all.wav" "$parts/piece.wav" silence 1 0.02 0.5% 1 0.7 0.5% : newfile : restart
    rm -f "$parts/all.wav"
    local pieces=()
    for piece in "$parts"/piece*.wav; do
        [ "$(soxi -s "$piece")" -gt 800 ] && pieces+=("$piece")
    done
    if [ "${#pieces[@]}" -eq "$count" ]; then
        for i in "${!names[@]}"; do
            mv "${pieces[$i]}" "$out/${names[$i]}.wav"
        done
    else
        echo "voice: $out spoken one entry a run (${#pieces[@]} pieces for $count entries)" >&2
        for i in "${!names[@]}"; do
            espeak-ng -v "$voice" -w "$out/${names[$i]}.wav" "${texts[$i]}"
        done
    fi
}

# The list is compared with the one the folder was made from.
make_folder() {
    local voice=$1 list=$2 out=$3
    local sum
    sum=$( (cat "$list"; echo "$voice $script_sum") | md5sum | cut -d' ' -f1)
    if [ -f "$out/.made-from" ] && [ "$(cat "$out/.made-from")" = "$sum" ]; then
        return 0
    fi
    rm -rf "$out" && mkdir -p "$out"
    speak_list "$voice" "$list" "$out"
    echo "$sum" >"$out/.made-from"
}

# "CommNN<TAB>text" for every comment of a language file whose text has a letter to speak. The code
# page has no minus sign, so the texts write a negative number with a dash ("by –1"), which espeak-ng
# passes over in silence: a dash before a digit is spoken as the word `minus`.
comment_list() {
    local ini=$1 minus=$2
    iconv -f WINDOWS-1251 -t UTF-8 "$ini" | tr -d '\r' | LC_ALL=C awk -F= '
        /^\[/ { section = $0; next }
        section == "[CommentsText]" && /^[0-9]+=/ { key = $1; sub(/^[^=]*=/, ""); text[key] = $0 }
        section == "[CommentsSound]" && /^[0-9]+=/ { key = $1; sub(/^[^=]*=/, ""); sound[key] = $0; order[++n] = key }
        END {
            for (i = 1; i <= n; ++i) {
                key = order[i]
                if (sound[key] != "" && text[key] ~ /[A-Za-z\200-\377]/) print sound[key] "\t" text[key]
            }
        }' | LC_ALL=C sed "s/–\([0-9]\)/$minus \\1/g"
}

for language in English Russian; do
    voice=$([ "$language" = English ] && echo en-gb || echo ru)
    minus=$([ "$language" = English ] && echo minus || echo минус)
    for list in "$root"/res/voice/"$language"/*.txt; do
        folder=$(basename "$list" .txt)
        grep -v '^#' "$list" >"$work/$folder.list"
        make_folder "$voice" "$work/$folder.list" "$base/$language/$folder"
    done
    comment_list "$root/res/$language.ini" "$minus" >"$work/Sounds.list"
    make_folder "$voice" "$work/Sounds.list" "$base/$language/Sounds"
done
