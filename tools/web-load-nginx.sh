#!/usr/bin/env bash
# Two orbelin-serve processes behind nginx on loopback, and the load of tools/web-load.sh through
# nginx: the trial of the configuration the README shows for serving a school from more than one
# process (or machine). nginx runs as this user from a temporary folder and is stopped at the end.
#   tools/web-load-nginx.sh [--seconds 30] [--connections 64] [--threads 2]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
command -v nginx >/dev/null || [ -x /usr/sbin/nginx ] || { echo "web-load-nginx: nginx is not installed (apt-get install nginx)" >&2; exit 2; }
nginx=$(command -v nginx || echo /usr/sbin/nginx)
source "$root/tools/serve-helpers.sh"
work=$(mktemp -d)
cleanup() {
    [ -f "$work/nginx.pid" ] && kill "$(cat "$work/nginx.pid")" 2>/dev/null
    stop_started_servers
    rm -rf "$work"
}
trap cleanup EXIT

upstreams=""
for n in 1 2; do
    start_orbelin_serve "$root/build/bin/orbelin-serve" "$work/serve$n.out"
    upstreams+="        server ${served_url#http://};"$'\n'
done
front=$((20000 + RANDOM % 40000))
mkdir -p "$work/temp"
cat >"$work/nginx.conf" <<CONF
worker_processes 1;
pid $work/nginx.pid;
error_log $work/error.log;
events { worker_connections 1024; }
http {
    access_log off;
    client_body_temp_path $work/temp;
    proxy_temp_path $work/temp;
    upstream orbelin {
        least_conn;
$upstreams        keepalive 32;
    }
    server {
        listen 127.0.0.1:$front;
        client_max_body_size 100k;
        location / {
            proxy_pass http://orbelin;
            proxy_http_version 1.1;
            proxy_set_header Connection "";
            proxy_set_header Host \$host;
            proxy_next_upstream error timeout http_503;
        }
    }
}
CONF
"$nginx" -c "$work/nginx.conf" -e "$work/error.log"
sleep 0.5
server_memory() {
    local n
    for n in 1 2; do
        echo "orbelin-serve $n memory $1: $(resident_memory "${served_pids[$((n - 1))]}")"
    done
}
echo "nginx on 127.0.0.1:$front in front of two orbelin-serve processes"
server_memory before
"$root/tools/web-load.sh" --url "http://127.0.0.1:$front" "$@"
server_memory after
