#!/usr/bin/env bash
# Fuzzes one part of the program for a bounded time with libFuzzer under
# AddressSanitizer and UndefinedBehaviorSanitizer (clang build in build-fuzz).
# Usage: scripts/fuzz.sh files|receive [seconds]    (default 600)
#   files    the program file readers
#   receive  the frame assembler and receive dispatcher
# Findings are written to build-fuzz/<target>-artifacts; the exit status is
# nonzero when the fuzzer found one. Keep a finding as a regression input:
# receive findings go to fuzz/regress/receive/.
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
  files) fuzzer=program_file_fuzz; seeds=program_file_seeds; max_len=65536 ;;
  receive) fuzzer=receive_fuzz; seeds=receive_seeds; max_len=8192 ;;
  *) echo "usage: $0 files|receive [seconds]" >&2; exit 2 ;;
esac
seconds="${2:-600}"
build=build-fuzz

bash scripts/install-deps.sh --fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVAN_FUZZ=ON -DORVAN_BUILD_TESTS=OFF -DORVAN_BUILD_GUI=OFF
cmake --build "$build" -j2 --target "$fuzzer" "$seeds"

corpus="$build/$1-corpus"
artifacts="$build/$1-artifacts"
mkdir -p "$corpus" "$artifacts"
"$build/fuzz/$seeds" "$corpus"
"$build/fuzz/$fuzzer" "$corpus" -max_total_time="$seconds" -max_len="$max_len" \
  -artifact_prefix="$artifacts/" -print_final_stats=1
