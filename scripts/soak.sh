#!/usr/bin/env bash
# The soak test in its long form: 2000 random edits (or the number given)
# against the virtual processor over a line that loses 5 % of the answers,
# adds noise and splits answers, then the same with the processor falling
# silent in the middle. Builds what it needs in build/.
# Usage: scripts/soak.sh [edits] [seed]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target test_soak orvan-vproc
ORVAN_SOAK_EDITS="${1:-2000}" ORVAN_SOAK_SEED="${2:-$RANDOM}" ./build/tests/session/test_soak
