#!/usr/bin/env bash
# Starts Kelviomaro.exe in a Wine virtual desktop (which draws real title bars)
# under Xvfb, scans an example barcode and saves a PNG of the window, title bar
# and icon included, cropped from the desktop: docs/kelviomaro.png (or the path given).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/kelviomaro.png}"
bash scripts/setup.sh xvfb xdotool imagemagick wine wine64 fonts-wine
[ -f build/windows/src/app/Kelviomaro.exe ] || { cmake --preset windows >/dev/null && cmake --build --preset windows --target Kelviomaro >/dev/null; }
export WINEDEBUG=-all WINEPREFIX="${WINEPREFIX:-/tmp/kelvio-wine-screenshot}" LC_ALL=fi_FI.UTF-8
# Wine draws the caption buttons with the Marlett font. Debian's fonts-wine
# puts it in /usr/share/wine/fonts, a folder this Wine never searches (its
# font trace lists only /usr/share/fonts and the prefix's own Fonts folder),
# so without a copy in the prefix the close button is the letter "r".
wineboot -i >/dev/null 2>&1 || true
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
export DISPLAY=:$((180 + RANDOM % 60))
Xvfb "$DISPLAY" -screen 0 900x700x24 >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 1
wine explorer /desktop=Kelvio,800x600 build/windows/src/app/Kelviomaro.exe &
for _ in $(seq 60); do
  win=$(xdotool search --name "KELVIOMARO" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 1
done
[ -n "$win" ] || { echo "the desktop did not open" >&2; exit 1; }
sleep 3
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win" || true
xdotool type --delay 5 "105479123456000001230015000000000000000000001234561251231"
xdotool key Return
sleep 1
# The screen, cut to the window of the program (title bar included): its size
# and place as X knows them.
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root "$out.kaikki.png"
convert "$out.kaikki.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
rm -f "$out.kaikki.png"
echo "saved $out"
