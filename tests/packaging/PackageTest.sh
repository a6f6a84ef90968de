#!/usr/bin/env bash
# Builds the Debian package from a finished build, unpacks it into a scratch
# root as dpkg would install it and checks that what it holds works: the
# binaries start, the desktop entry and AppStream data validate, the manual
# pages read, the help pages are where the program looks, and the package
# depends on the libraries the binaries need.
#
#   PackageTest.sh <build folder>
set -euo pipefail
build="$(cd "$1" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in cpack dpkg-deb desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 \
  || { cat "$scratch/cpack.log" >&2; fail "cpack did not build the package"; }
debs=("$scratch"/out/orvan_*.deb)
[ -f "${debs[0]}" ] || fail "no orvan_*.deb in $(ls "$scratch/out")"
deb="${debs[0]}"
echo "package: $(basename "$deb")"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for lib in libqt6core6 libqt6widgets6 libqt6serialport6 libqt6printsupport6 qt6-qpa-plugins libstdc++6; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
share="$root/usr/share"
for bin in orvan orvan-cli orvan-vproc orvan-server; do
  [ -x "$root/usr/bin/$bin" ] || fail "usr/bin/$bin is missing"
done

"$root/usr/bin/orvan-cli" --help | grep -q "Usage: orvan-cli" || fail "orvan-cli --help"
"$root/usr/bin/orvan-vproc" --help >/dev/null || fail "orvan-vproc --help"
"$root/usr/bin/orvan-server" --help >/dev/null || fail "orvan-server --help"
[ -f "$root/usr/lib/systemd/user/orvan-server.service" ] || fail "the service's systemd user unit is missing"

# The program has no way to end by itself: still running after a few
# seconds offscreen is the pass, ended by the time-out (124).
status=0
(cd "$scratch" && QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/orvan") >"$scratch/orvan.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$scratch/orvan.log" >&2; fail "orvan ended with status $status within 5 s"; }

desktop="$share/applications/org.orvan.Orvan.desktop"
desktop-file-validate "$desktop" || fail "desktop entry"
grep -q '^Icon=org.orvan.Orvan$' "$desktop" || fail "desktop entry names another icon"
[ -f "$share/icons/hicolor/scalable/apps/org.orvan.Orvan.svg" ] || fail "icon is missing"
appstreamcli validate --no-net "$share/metainfo/org.orvan.Orvan.metainfo.xml" || fail "AppStream data"

for page in orvan-cli orvan-vproc orvan-server; do
  file="$share/man/man1/$page.1"
  [ -f "$file" ] || [ -f "$file.gz" ] || fail "manual page $page is missing"
  [ -f "$file" ] || file="$file.gz"
  warnings="$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >"$scratch/$page.txt")"
  [ -z "$warnings" ] || fail "man -l $page: $warnings"
  grep -q "^NAME" "$scratch/$page.txt" || fail "man -l $page shows no NAME section"
done

for lang in en zh; do
  [ -f "$share/orvan/help/$lang/index.html" ] || fail "help page $lang is missing"
done
echo "package checks passed"
