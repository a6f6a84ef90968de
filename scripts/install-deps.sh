#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Idempotent: when everything is present it only checks and returns.
# --fuzz adds clang with its sanitizer and libFuzzer runtimes, which only
# scripts/fuzz.sh needs.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  # a linker about five times faster than ld.bfd on the test programs
  mold
  qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  # the response graph exported as SVG
  qt6-svg-dev
  # the show-control service (orvan-server): HTTP API and WebSocket events,
  # and OSC over UDP
  qt6-httpserver-dev qt6-websockets-dev liblo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libxlsxwriter-dev
  # Qt's own texts (message box buttons, file dialogs) in Chinese
  qt6-translations-l10n
  # the report tests read the exported spreadsheet and the printed PDF back
  python3 poppler-utils
  # a face for the Chinese texts of the user interface
  fonts-wqy-microhei
  # a virtual display for screenshots (scripts/screenshot.sh)
  xvfb xauth
  # the package test checks the desktop entry, AppStream data and manual
  # pages of the .deb that cpack builds (dpkg-shlibdeps finds its dependencies)
  desktop-file-utils appstream man-db dpkg-dev
  # the show-control service's shell test talks to it as scripts do
  curl
  # the remote page's test drives a real browser, headless
  chromium chromium-driver python3-selenium
  # the locale tests run the texts under a desktop locale with a decimal comma
  locales
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The locale the tests run beside C.UTF-8 (locale -a spells it de_DE.utf8).
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating the locale de_DE.UTF-8"
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
