#!/usr/bin/env bash
# The Windows build, and its tests under Wine in Xvfb with Finnish settings.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh g++-mingw-w64-x86-64-posix libz-mingw-w64-dev nasm wine wine64 xvfb xdotool nsis unzip wixl msitools
# Wine takes the Finnish regional settings and the character set of file
# names and arguments from the locale, which must exist for the latter.
if ! locale -a | grep -qix 'fi_FI.utf8'; then
  echo "== Generating the locale fi_FI.UTF-8"
  $([ "$(id -u)" -eq 0 ] || echo sudo) localedef -i fi_FI -f UTF-8 fi_FI.UTF-8
fi
echo "== The decoders for Windows, built once per machine from the pinned sources"
etuliite=$(bash scripts/riippuvuudet.sh)
echo "== Windows cross-build"
cmake --preset windows -DKELVIO_WIN_ETULIITE="$etuliite" >/dev/null
cmake --build --preset windows
echo "== clang-tidy over the Windows sources, with the MinGW build's compile database"
gcc_mingw=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")/include/c++
find src -name '*.cpp' \( -path 'src/app/*' -o -path 'src/dialogs/*' -o -path 'src/ikkunat/*' \
  -o -name '*windows*' -o -path 'src/cli/main.cpp' \) -print0 |
  xargs -0 -n 3 -P "$(nproc)" clang-tidy -p build/windows --quiet \
    --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-isystem"$gcc_mingw" \
    --extra-arg=-isystem"$gcc_mingw/x86_64-w64-mingw32" 2>/dev/null
echo "== Kelviomaro.exe imports"
x86_64-w64-mingw32-objdump -p build/windows/src/app/Kelviomaro.exe | grep "DLL Name"
if x86_64-w64-mingw32-objdump -p build/windows/src/app/Kelviomaro.exe | grep "DLL Name" |
  grep -viE 'KERNEL32|USER32|GDI32|COMCTL32|msvcrt|ADVAPI32|VERSION|SHELL32|COMDLG32'; then
  echo "Kelviomaro.exe imports a DLL that is not a system DLL" >&2
  exit 1
fi
echo "== Windows tests under Wine"
export WINEDEBUG=-all LC_ALL=fi_FI.UTF-8
export WINEPREFIX="${WINEPREFIX:-/tmp/kelvio-wine-test}"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
wineboot -i >/dev/null 2>&1 || true
ctest --preset windows
# kelvio.exe writes UTF-8 under Wine too.
out=$(wine build/windows/src/cli/kelvio.exe 479123456000001230015000000000000000000001234561251231)
echo "$out" | grep -q "Summa =   1 500,00 €" || { echo "kelvio.exe: unexpected output: $out" >&2; exit 1; }
echo "kelvio.exe under Wine: ok"
# kelvio make gives the same digits under Wine as natively.
make_args="make --iban FI2112345600000785 --reference RF18539007547034 --amount 12,50 --due 2026-01-31"
natiivi=$(build/default/src/cli/kelvio $make_args)
wine_tulos=$(wine build/windows/src/cli/kelvio.exe $make_args | tr -d '\r')
[ "$natiivi" = "$wine_tulos" ] || { echo "kelvio make: $natiivi natively, $wine_tulos under Wine" >&2; exit 1; }
echo "kelvio make under Wine: $wine_tulos, as natively"
# A malformed RF reference is a value error (1), never an abort.
tila=0
wine build/windows/src/cli/kelvio.exe make --iban FI2112345600000785 --reference RF --amount 1 \
  >/dev/null 2>&1 || tila=$?
[ "$tila" -eq 1 ] || { echo "kelvio.exe make --reference RF: exit status $tila, not 1" >&2; exit 1; }
echo "kelvio.exe make refuses what it cannot do: ok"
echo "== kelvio.exe read under Wine beside kelvio read natively"
sh tests/lue-wine.sh "$(pwd)/build/default/src/cli/kelvio" "$(pwd)/build/windows/src/cli/kelvio.exe" \
  "$(pwd)/tests/cli"
echo "== kelvio.exe on a long standard input beside kelvio natively"
sh tests/erat-wine.sh "$(pwd)/build/default/src/cli/kelvio" "$(pwd)/build/windows/src/cli/kelvio.exe"
echo "== Four kelvio.exe appending to one log at once"
sh tests/loki-wine.sh build/windows/src/cli/kelvio.exe

echo "== Packages: the zip and the installer, and the installer's round trip under Wine"
cmake --build --preset windows --target package
unzip -l build/windows/Kelvio-*-win64.zip
sh tests/asennus.sh "$(pwd)/$(ls build/windows/Kelvio-*-win64.exe)"

echo "== The Windows Installer package, and its round trip under Wine in a fresh prefix"
cmake --build --preset windows --target msi

(
  export WINEPREFIX
  WINEPREFIX=$(mktemp -d)/wine
  wineboot -i >/dev/null 2>&1 || true
  sh tests/msi.sh "$(pwd)/$(ls build/windows/Kelvio-*-win64.msi)" "$(pwd)/build/windows/msi"
  wineserver -k 2>/dev/null || true
  rm -rf "$(dirname "$WINEPREFIX")"
)
