#!/usr/bin/env bash
# Installs what is missing, builds the program, starts the virtual processor
# in the background and then the program. The virtual processor keeps its
# state (programs, names, settings) in a file, so what is stored in it is
# there again next time; it stops when the program ends.
#
#   ORVAN_VPROC_PORT   where the processor's port appears (default /tmp/orvan-vproc)
#   ORVAN_VPROC_STATE  its state file (default ~/.local/state/orvan/vproc-state.txt)
#   ORVAN_VPROC_ARGS   further options for it, e.g. "--type 1" (see orvan-vproc --help)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

port="${ORVAN_VPROC_PORT:-/tmp/orvan-vproc}"
state="${ORVAN_VPROC_STATE:-${XDG_STATE_HOME:-$HOME/.local/state}/orvan/vproc-state.txt}"
mkdir -p "$(dirname "$state")"

out="$(mktemp)"
# shellcheck disable=SC2086 # the extra options are meant to split into words
build/vproc/orvan-vproc --link "$port" --state "$state" ${ORVAN_VPROC_ARGS:-} >"$out" &
vproc_pid=$!
stop_vproc() {
  kill "$vproc_pid" 2>/dev/null || true
  wait "$vproc_pid" 2>/dev/null || true
  rm -f "$out"
}
trap stop_vproc EXIT

# The processor prints its port once it is ready.
for _ in $(seq 50); do
  [ -s "$out" ] && break
  kill -0 "$vproc_pid" 2>/dev/null || { echo "The virtual processor did not start." >&2; exit 1; }
  sleep 0.1
done
[ -s "$out" ] || { echo "The virtual processor did not start." >&2; exit 1; }

cat <<EOF

The virtual processor is running; its state is kept in $state.
In the program press CONNECTION (连接) and type this port into the port box:

    $(head -n1 "$out")

then press Connect (连接). The processor answers to the device ID shown
above (1 unless it was changed); Search ID (搜索ID) finds it too.

EOF

# Started from the repository root: the program keeps its "MusicFile"
# folder and looks for its help files in the directory it starts in.
build/app/orvan
