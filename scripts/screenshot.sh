#!/usr/bin/env bash
# Builds the program and saves screenshots of the main window in both
# languages, taken on a virtual display: shots/main-zh.png, shots/main-en.png
# and, with the output side shown, shots/main-en-out3.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target main_window_shot
mkdir -p shots
out="$(pwd)/shots"
shot="$(pwd)/build/tests/app/main_window_shot"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
for args in "zh main-zh.png" "en main-en.png" "en main-en-out3.png 3"; do
  set -- $args
  xvfb-run -a -s "-screen 0 1280x800x24" "$shot" "$1" "$out/$2" ${3:-}
  echo "saved $out/$2"
done
