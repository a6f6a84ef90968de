#!/usr/bin/env bash
# The service as a user runs it: orvan-server against the virtual processor,
# driven with curl, stopped with SIGTERM.
#   serve_curl.sh ORVAN_SERVER ORVAN_VPROC
set -euo pipefail
server=$1
vproc=$2
dir=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$dir"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; cat "$dir/server.log" >&2; exit 1; }

"$vproc" --link "$dir/port" --state "$dir/state" > "$dir/vproc.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e "$dir/port" ] && break; sleep 0.05; done

"$server" --port "$dir/port" --http-port 0 2> "$dir/server.log" &
server_pid=$!
pids+=($server_pid)
for _ in $(seq 200); do grep -q "online:" "$dir/server.log" && break; sleep 0.05; done
grep -q "online:" "$dir/server.log" || fail "the service did not connect"
api=$(grep -o 'http://127\.0\.0\.1:[0-9]*' "$dir/server.log" | head -n1)/api/v1

put() { curl -sS -o "$dir/answer" -w '%{http_code}' -X PUT -H 'Content-Type: application/json' -d "$2" "$api/$1"; }

[ "$(put outputs/3/gain '{"value": -3.0}')" = 200 ] || fail "gain: $(cat "$dir/answer")"
grep -q '"text":"-3.0dB"' "$dir/answer" || fail "gain answer: $(cat "$dir/answer")"
[ "$(put outputs/2/mute '{"value": true}')" = 200 ] || fail "mute: $(cat "$dir/answer")"
[ "$(put outputs/3/gain '{"value": 40}')" = 422 ] || fail "out of range: $(cat "$dir/answer")"
grep -q '"error":"outOfRange"' "$dir/answer" || fail "out of range answer: $(cat "$dir/answer")"
curl -sS "$api/outputs/3/gain" | grep -q '"value":-3' || fail "read back"
curl -sS "$api/program" | grep -q '"kind":"program"' || fail "program document"
# A page of another origin is refused.
code=$(curl -sS -o /dev/null -w '%{http_code}' -X PUT -H 'Content-Type: application/json' \
  -H 'Origin: http://show.example' -d '{"value": 0}' "$api/outputs/3/gain")
[ "$code" = 403 ] || fail "another origin answered $code"

kill -TERM "$server_pid"
status=0
wait "$server_pid" || status=$?
[ "$status" = 0 ] || fail "stopped with status $status"
grep -q "stopping" "$dir/server.log" || fail "no stop line"
grep -q "outputs/3/gain = -3.0dB" "$dir/server.log" || fail "the write was not logged"
echo "ok"
