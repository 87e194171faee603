# Sourced by the scripts that start orbelin-serve on a free loopback port (the browser test and the
# load scripts). They stop every server they started when they end.

served_pids=()

stop_started_servers() {
    local pid
    for pid in "${served_pids[@]}"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    return 0
}

# start_orbelin_serve BINARY LOG: starts the server on a free port, its output in LOG, and sets
# served_pid and served_url (http://127.0.0.1:PORT) once it has said where it listens; ends the
# script when it does not within ten seconds.
start_orbelin_serve() {
    local binary=$1 log=$2
    : >"$log"
    "$binary" --listen 127.0.0.1:0 >"$log" 2>&1 &
    served_pid=$!
    served_pids+=("$served_pid")
    served_url=""
    local attempt
    for attempt in $(seq 100); do
        served_url=$(sed -n 's|.*\(http://127\.0\.0\.1:[0-9]*\)/.*|\1|p' "$log")
        [ -n "$served_url" ] && return 0
        sleep 0.1
    done
    echo "orbelin-serve did not start:" >&2
    cat "$log" >&2
    exit 1
}

# The resident memory of a process.
resident_memory() {
    awk '/^VmRSS/ { print $2 " kB" }' "/proc/$1/status"
}
