#!/usr/bin/env bash
# Fuzzes the program file readers for a bounded time with libFuzzer under
# AddressSanitizer and UndefinedBehaviorSanitizer (clang build in build-fuzz).
# Usage: scripts/fuzz-files.sh [seconds]    (default 600)
# Findings are written to build-fuzz/fuzz-artifacts; the exit status is
# nonzero when the fuzzer found one.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
build=build-fuzz

bash scripts/install-deps.sh --fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVAN_FUZZ=ON -DORVAN_BUILD_TESTS=OFF -DORVAN_BUILD_GUI=OFF
cmake --build "$build" -j2 --target program_file_fuzz program_file_seeds

corpus="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
mkdir -p "$corpus" "$artifacts"
"$build/fuzz/program_file_seeds" "$corpus"
"$build/fuzz/program_file_fuzz" "$corpus" -max_total_time="$seconds" -max_len=65536 \
  -artifact_prefix="$artifacts/" -print_final_stats=1
