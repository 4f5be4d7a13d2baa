#!/bin/sh
# Several kelvio.exe processes under Wine append to one error log at once:
# every entry lands, and whole. Usage: loki-wine.sh KELVIO.EXE
set -eu
kansio=$(mktemp -d)
trap 'rm -rf "$kansio"' EXIT
cp "$1" "$kansio/kelvio.exe"
# A version 4 barcode whose amount field overflows: one trapped error each.
virhe=479123456000001239E99999900000000000000001234561251231
i=0
while [ $i -lt 50 ]; do echo "$virhe"; i=$((i + 1)); done >"$kansio/syote"
for p in 1 2 3 4; do
  wine "$kansio/kelvio.exe" <"$kansio/syote" >/dev/null 2>&1 &
done
wait
merkintoja=$(grep -c "Rutiinista     fe_yleisval" "$kansio/virhelog.txt")
erottimia=$(grep -c -- "^----------------------------------------------------------------------" "$kansio/virhelog.txt")
otsikoita=$(grep -c "^Kelvio - virheraportti" "$kansio/virhelog.txt")
echo "log entries: $merkintoja, separators: $erottimia, headers: $otsikoita (expected 200 each)"
[ "$merkintoja" -eq 200 ] && [ "$erottimia" -eq 200 ] && [ "$otsikoita" -eq 200 ]
