#!/usr/bin/env bash
# Builds and starts Kelviomaro.exe under Wine (on a fresh Debian machine too).
# With arguments, runs the command line instead: scripts/run.sh --cli BARCODE...
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--cli" ]; then
  shift
  bash scripts/setup.sh cmake ninja-build g++ libgtest-dev libgmock-dev pkg-config libzxing-dev \
    libpoppler-cpp-dev libpng-dev libjpeg-dev libtiff-dev libexpat1-dev libqrencode-dev
  cmake --preset default >/dev/null && cmake --build --preset default --target kelvio >/dev/null
  exec build/default/src/cli/kelvio "$@"
fi
bash scripts/setup.sh cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev nasm wine wine64 xvfb
# The decoders that let a dropped invoice file be read: built once per machine.
etuliite=$(bash scripts/riippuvuudet.sh)
cmake --preset windows -DKELVIO_WIN_ETULIITE="$etuliite" >/dev/null
cmake --build --preset windows --target Kelviomaro >/dev/null
export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-kelvio}"
if [ -n "${DISPLAY:-}" ]; then
  exec wine build/windows/src/app/Kelviomaro.exe
fi
echo "No display: running under Xvfb (use scripts/screenshot.sh to see the window)."
exec xvfb-run -a wine build/windows/src/app/Kelviomaro.exe
