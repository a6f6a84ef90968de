#!/usr/bin/env bash
# Fuzzes the program file readers (see scripts/fuzz.sh).
# Usage: scripts/fuzz-files.sh [seconds]    (default 600)
exec bash "$(dirname "$0")/fuzz.sh" files "$@"
