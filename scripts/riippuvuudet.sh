#!/usr/bin/env bash
# Builds the Windows decoders (riippuvuudet/) once per machine into a prefix
# outside the clone, named by what goes into it: the superbuild (which holds
# the archives' hashes), the toolchain and the compiler. Prints the prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
lahteet="${KELVIO_LAHTEET:-$(pwd)/../shared/deps}"
avain=$( (cat riippuvuudet/* cmake/mingw-w64.cmake; x86_64-w64-mingw32-g++-posix --version) |
  sha256sum | cut -c1-16)
valimuisti="${XDG_CACHE_HOME:-$HOME/.cache}/kelvio"
etuliite="$valimuisti/mingw-$avain"
if [ ! -f "$etuliite/valmis" ]; then
  rakennus=$(mktemp -d)
  trap 'rm -rf "$rakennus"' EXIT
  rm -rf "$etuliite"
  echo "== Building the Windows decoders into $etuliite (once per machine, about 10 minutes)" >&2
  cmake -S riippuvuudet -B "$rakennus" -G Ninja -DKELVIO_LAHTEET="$lahteet" \
    -DKELVIO_ETULIITE="$etuliite" >&2
  cmake --build "$rakennus" >&2
  touch "$etuliite/valmis"
fi
echo "$etuliite"
