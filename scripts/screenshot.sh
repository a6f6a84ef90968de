#!/usr/bin/env bash
# Builds the program and saves screenshots, taken on a virtual display, to
# shots/, each in both languages (*-zh.png, *-en.png): the main window
# (main-*, and main-en-out3.png with the output side shown), the Connection
# and Device dialogs (connect-*, device-*), a message box (message-*), the
# data transmission window while the state is read and once the transfer has
# ended (transfer-*, transfer-end-*), and the window connected to the
# virtual processor (connected-*), and so with every curve shown and output
# 3 selected on the channel strip (curves-*); connected at the size a first
# start gives on a 1280 x 720 screen and on 1920 x 1080 at 150 % (the
# minimum: min-1x-*, min-15x-*) and at 100 % (hd-*), and almost the whole of
# a 2560 x 1440 screen (large-*); and orvan-server's remote page in headless
# chromium at a tablet's 1280 x 800 and a phone's 390 x 844 viewport
# (remote-tablet-*, remote-phone-*); the rack window after its search of a
# line of eight virtual processors (rack-*). The help pages' pictures are
# copied from these (help/*/images).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target main_window_shot orvan-vproc orvan-server orvan-cli
mkdir -p shots
out="$(pwd)/shots"
shot="$(pwd)/build/tests/app/main_window_shot"
vproc="$(pwd)/build/vproc/orvan-vproc"
work="$(mktemp -d)"
port="$work/port"
vproc_pid=""

stop_vproc() {
  if [ -n "$vproc_pid" ]; then
    kill "$vproc_pid" 2>/dev/null || true
    wait "$vproc_pid" 2>/dev/null || true
    vproc_pid=""
  fi
}
trap 'stop_vproc; rm -rf "$work"' EXIT

# Starts the virtual processor with the given options and waits for its port.
start_vproc() {
  stop_vproc
  "$vproc" --link "$port" "$@" >"$work/vproc.out" 2>/dev/null &
  vproc_pid=$!
  for _ in $(seq 50); do
    [ -s "$work/vproc.out" ] && return 0
    sleep 0.1
  done
  echo "the virtual processor did not start" >&2
  exit 1
}

take() {
  local name="$1"
  shift
  (cd "$work" && xvfb-run -a -s "-screen 0 1280x800x24" "$shot" "$@")
  echo "saved $out/$name"
}

for lang in zh en; do
  take "main-$lang.png" "$lang" "$out/main-$lang.png"
  take "connect-$lang.png" "$lang" "$out/connect-$lang.png" --scene connect
  take "device-$lang.png" "$lang" "$out/device-$lang.png" --scene device
  take "message-$lang.png" "$lang" "$out/message-$lang.png" --scene message
  take "program-$lang.png" "$lang" "$out/program-$lang.png" --scene program
  take "system-$lang.png" "$lang" "$out/system-$lang.png" --scene system
  # A processor on a real line's pace, so the transfer lasts long enough to see.
  start_vproc --real-rate
  take "transfer-$lang.png" "$lang" "$out/transfer-$lang.png" --scene transfer --port "$port"
  # 51 requests make up the connection; the last block read goes unanswered.
  start_vproc --stop-after 50
  take "transfer-end-$lang.png" "$lang" "$out/transfer-end-$lang.png" --scene transfer-end --port "$port"
  start_vproc
  take "connected-$lang.png" "$lang" "$out/connected-$lang.png" --scene connected --port "$port"
  take "curves-$lang.png" "$lang" "$out/curves-$lang.png" --scene curves --port "$port"
  (cd "$work" && xvfb-run -a -s "-screen 0 1280x720x24" "$shot" "$lang" "$out/min-1x-$lang.png" \
    --scene connected --port "$port" --first-start)
  (cd "$work" && QT_SCALE_FACTOR=1.5 xvfb-run -a -s "-screen 0 1920x1080x24" "$shot" "$lang" \
    "$out/min-15x-$lang.png" --scene connected --port "$port" --first-start)
  (cd "$work" && xvfb-run -a -s "-screen 0 1920x1080x24" "$shot" "$lang" "$out/hd-$lang.png" \
    --scene curves --port "$port" --first-start)
  (cd "$work" && xvfb-run -a -s "-screen 0 2560x1440x24" "$shot" "$lang" "$out/large-$lang.png" \
    --scene connected --port "$port" --size 2560x1400)
  # Eight processors on one line, two of them smaller models.
  start_vproc --ids 1-8 --types 4:4,7:2
  take "rack-$lang.png" "$lang" "$out/rack-$lang.png" --scene rack --port "$port"
  stop_vproc
done
take "main-en-out3.png" en "$out/main-en-out3.png" --output 3

# The remote page, by the browser test that drives it (Debian's selenium
# lives in the system's own interpreter).
/usr/bin/python3 tests/serve/remote_page_test.py build/serve/orvan-server "$vproc" build/cli/orvan-cli \
  --screenshots "$out"

# The help pages show some of these pictures: every run refreshes them.
for lang in zh en; do
  mkdir -p "help/$lang/images"
  cp "$out/curves-$lang.png" "help/$lang/images/main-window.png"
  cp "$out/connect-$lang.png" "help/$lang/images/connect.png"
  cp "$out/program-$lang.png" "help/$lang/images/program.png"
  cp "$out/remote-tablet-$lang.png" "help/$lang/images/remote-tablet.png"
  cp "$out/remote-phone-$lang.png" "help/$lang/images/remote-phone.png"
  cp "$out/rack-$lang.png" "help/$lang/images/rack.png"
done
echo "refreshed the pictures in help/*/images"
