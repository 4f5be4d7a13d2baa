#!/usr/bin/env bash
# Starts Kelviomaro.exe under Wine in Xvfb, scans an example barcode and saves
# a PNG of the window: docs/kelviomaro.png (or the path given).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/kelviomaro.png}"
bash scripts/setup.sh xvfb xdotool imagemagick wine wine64
[ -f build/windows/src/app/Kelviomaro.exe ] || { cmake --preset windows >/dev/null && cmake --build --preset windows --target Kelviomaro >/dev/null; }
export WINEDEBUG=-all WINEPREFIX="${WINEPREFIX:-/tmp/kelvio-wine-screenshot}" LC_ALL=fi_FI.UTF-8
export DISPLAY=:77
Xvfb "$DISPLAY" -screen 0 800x520x24 >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 1
wine build/windows/src/app/Kelviomaro.exe &
for _ in $(seq 60); do
  win=$(xdotool search --name "KELVIOMARO" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 1
done
[ -n "$win" ] || { echo "the window did not open" >&2; exit 1; }
sleep 1
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
xdotool type --delay 5 "105479123456000001230015000000000000000000001234561251231"
xdotool key Return
sleep 1
import -window root -crop 660x470+0+0 "$out"
echo "saved $out"
