#!/usr/bin/env bash
# Load on orbelin-serve: many concurrent clients for a while against the built-in sample problems of
# all four kinds (equations, factorisation, complete factorisation, simplification), with wrk.
# Prints requests a second, the latency percentiles, the errors and the server's memory before
# and after. A measurement, not a test: the figures depend on the machine and what else runs on it.
#   tools/web-load.sh [--url http://HOST:PORT] [--seconds 30] [--connections 64] [--threads 2]
# Without --url it starts build/bin/orbelin-serve on a free loopback port and measures that one.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
url="" seconds=30 connections=64 threads=2
while [ $# -gt 0 ]; do
    case $1 in
    --url) url=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --connections) connections=$2; shift 2 ;;
    --threads) threads=$2; shift 2 ;;
    *) echo "usage: $0 [--url URL] [--seconds N] [--connections N] [--threads N]" >&2; exit 2 ;;
    esac
done
command -v wrk >/dev/null || { echo "web-load: wrk is not installed (apt-get install wrk)" >&2; exit 2; }

source "$root/tools/serve-helpers.sh"
work=$(mktemp -d)
trap 'stop_started_servers; rm -rf "$work"' EXIT

served_pid=""
if [ -z "$url" ]; then
    start_orbelin_serve "$root/build/bin/orbelin-serve" "$work/serve.out"
    url=$served_url
fi

memory() {
    if [ -n "$served_pid" ]; then resident_memory "$served_pid"; else echo "(not started here)"; fi
}

# The processor time the server has used, in clock ticks (user and system).
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$served_pid/stat"
}

# The samples are in the editor's typed form; without their blanks and the ";&" that ends each
# they are linear notation.
samples() {
    local kind=$1 file=$2
    tr -d '\r ' <"$root/res/samples/$file" | sed -n 's/;&$//p' | grep -v '^$' |
        sed 's/\\/\\\\/g; s/"/\\"/g' | sed "s/.*/{\"kind\":\"$kind\",\"lang\":\"en\",\"problem\":\"&\"}/"
}
{
    samples equation Equations.txt
    samples factor Factorisation.txt
    samples factor-full Factorisation.txt
    samples simplify Simplification.txt
} >"$work/bodies.json"
count=$(wc -l <"$work/bodies.json")

# Each wrk connection walks the bodies from its own starting point.
{
    echo 'local bodies = {'
    sed 's/\\/\\\\/g; s/"/\\"/g; s/.*/  "&",/' "$work/bodies.json"
    echo '}'
    cat <<'LUA'
wrk.method = "POST"
wrk.path = "/api/solve"
wrk.headers["Content-Type"] = "application/json"
local next = 0
function setup(thread) next = math.random(#bodies) end
function request()
    next = next % #bodies + 1
    return wrk.format(nil, nil, nil, bodies[next])
end
local failed = 0
function response(status, headers, body)
    if status ~= 200 then failed = failed + 1 end
end
LUA
} >"$work/load.lua"

# Every body once, before the clock runs: each must be solved.
unsolved=0
while IFS= read -r body; do
    status=$(curl -s -o /dev/null -w '%{http_code}' -H 'Content-Type: application/json' --data-binary "$body" "$url/api/solve")
    [ "$status" = 200 ] || { unsolved=$((unsolved + 1)); echo "not solved ($status): $body"; }
done <"$work/bodies.json"

echo "server: $url; $count sample problems of four kinds, $unsolved not solved on their own"
echo "memory before: $(memory)"
[ -n "$served_pid" ] && ticks_before=$(cpu_ticks)
wrk --latency -t"$threads" -c"$connections" -d"${seconds}s" -s "$work/load.lua" "$url" | tee "$work/wrk.out"
echo "memory after: $(memory)"
# On a shared machine the rate says more about the others than about the server; the processor time
# the server spent per request does not.
if [ -n "$served_pid" ]; then
    ticks=$(($(cpu_ticks) - ticks_before))
    requests=$(awk '/requests in/ { print $1 }' "$work/wrk.out")
    awk -v ticks="$ticks" -v hz="$(getconf CLK_TCK)" -v requests="$requests" 'BEGIN {
        seconds = ticks / hz
        printf "server processor time: %.2f s for %d requests, %.0f requests per processor second\n",
            seconds, requests, (seconds > 0 ? requests / seconds : 0) }'
fi
