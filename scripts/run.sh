#!/usr/bin/env bash
# Installs what is missing, builds the program and the virtual processor
# (nothing else: the tests and benchmarks are scripts/test.sh's), starts the
# virtual processor in the background and then the program, which lists it
# first in the Connection dialog. The virtual processor keeps its
# state (programs, names, settings) in a file, so what is stored in it is
# there again next time; it stops when the program ends.
#
#   ORVAN_VPROC_PORT   where the processor's port appears (default /tmp/orvan-vproc)
#   ORVAN_VPROC_STATE  its state file (default ~/.local/state/orvan/vproc-state.txt,
#                      or vproc-line-state.txt there for a line of processors)
#   ORVAN_VPROC_ARGS   further options for it, e.g. "--type 1", or "--ids 1-8" for a
#                      line of eight processors (see orvan-vproc --help)
set -euo pipefail
cd "$(dirname "$0")/.."
say() { printf '\n==> %s\n' "$*"; }

say "Checking the Debian packages the build needs (installs what is missing)"
bash scripts/install-deps.sh
# A build of its own, optimised but without debug information and without
# the tests: a first build takes under three minutes on two cores instead
# of six (scripts/test.sh keeps the full build in build/).
build=build-run
say "Configuring the build in $build/"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" \
  -DORVAN_BUILD_TESTS=OFF -DORVAN_BUILD_BENCH=OFF >/dev/null
say "Building the program and the virtual processor (the first build takes a few minutes)"
cmake --build "$build" -j"$(nproc)" --target orvan orvan-vproc

port="${ORVAN_VPROC_PORT:-/tmp/orvan-vproc}"
# A line of processors keeps a file of its own: a state file holding a line
# plays the whole line, and a plain run is to start one processor.
state_name=vproc-state.txt
case " ${ORVAN_VPROC_ARGS:-} " in
  *" --ids "* | *" --ids="*) state_name=vproc-line-state.txt ;;
esac
state="${ORVAN_VPROC_STATE:-${XDG_STATE_HOME:-$HOME/.local/state}/orvan/$state_name}"
mkdir -p "$(dirname "$state")"

say "Starting the virtual processor on $port"
out="$(mktemp)"
# shellcheck disable=SC2086 # the extra options are meant to split into words
"$build/vproc/orvan-vproc" --link "$port" --state "$state" ${ORVAN_VPROC_ARGS:-} >"$out" &
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
In the program press CONNECTION (连接): its port is listed first, marked
"virtual processor" (虚拟处理器); press Connect (连接). It answers to device
ID 1 unless ORVAN_VPROC_ARGS says otherwise; Search ID (搜索ID) finds it too,
and every processor of a line started with --ids.

EOF

say "Starting the program"
# Started from the repository root: the program keeps its "MusicFile"
# folder and looks for its help files in the directory it starts in.
ORVAN_VIRTUAL_PORT="$(head -n1 "$out")" "$build/app/orvan"
