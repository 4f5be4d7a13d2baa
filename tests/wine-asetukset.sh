#!/bin/sh
# Runs window tests under Wine with other settings: a DPI set through the
# registry value that Wine reads (LogPixels), and a locale.
# Usage: wine-asetukset.sh TESTS.exe DPI LOCALE WINDOWS-LOCALE FILTER
set -eu
exe=$1 dpi=$2 locale=$3 alue=$4 filter=$5
aseta() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}
trap 'aseta 96' EXIT
aseta "$dpi"
KELVIO_DPI=$dpi KELVIO_ALUE=$alue LC_ALL=$locale wine "$exe" --gtest_filter="$filter"
