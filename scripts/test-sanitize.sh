#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs the whole suite there. Any finding stops the test it
# happens in. Leaks inside Qt's and fontconfig's own caches, which live as
# long as the process, are suppressed by name in scripts/lsan.supp; every
# other leak fails its test.
# The benchmarks are not built (they are not tests) and the package test is
# left to scripts/test.sh (it packs the build, it checks no code).
# Usage: scripts/test-sanitize.sh [--build-only]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-asan

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVAN_SANITIZE=ON -DORVAN_BUILD_BENCH=OFF
cmake --build "$build" -j2
[ "${1:-}" = "--build-only" ] && exit 0

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
ctest --test-dir "$build" --output-on-failure -j2 -E '^package_deb$'
