#!/bin/sh
# kelvio.exe answers standard input of many batches as the native kelvio
# does: both workers busy, each trapping errors on its own thread, whose end
# must not lose the run. Every record, the same text, the same exit status.
# Usage: erat-wine.sh KELVIO KELVIO.EXE
set -eu
kansio=$(mktemp -d)
trap 'rm -rf "$kansio"' EXIT
mkdir "$kansio/n" "$kansio/w"
cp "$1" "$kansio/n/kelvio"
cp "$2" "$kansio/w/kelvio.exe"
# 50000 lines of 54 digits from a seeded generator, of every version and
# none, and every 50th one whose amount field overflows: a trapped error in
# fe_yleisval.
awk 'BEGIN {
  srand(7)
  for (i = 0; i < 50000; i++) {
    if (i % 50 == 0) { print "479123456000001239E99999900000000000000001234561251231"; continue }
    s = ""
    for (k = 0; k < 54; k++) s = s int(rand() * 10)
    print s
  }
}' >"$kansio/syote"
tila_n=0
"$kansio/n/kelvio" <"$kansio/syote" >"$kansio/natiivi" 2>/dev/null || tila_n=$?
# A crash ends the run rather than waiting in Wine's debugger.
export WINEDLLOVERRIDES="winedbg.exe=d"
tila_w=0
timeout 300 wine "$kansio/w/kelvio.exe" <"$kansio/syote" 2>/dev/null | tr -d '\r' >"$kansio/wine" || true
timeout 300 wine "$kansio/w/kelvio.exe" <"$kansio/syote" >/dev/null 2>&1 || tila_w=$?
raportteja=$(grep -c '^Viivakoodin versio\|^Tuntematon' "$kansio/wine" || true)
odotettu=$(grep -c '^Viivakoodin versio\|^Tuntematon' "$kansio/natiivi" || true)
echo "kelvio.exe on 50000 lines of standard input: $raportteja reports, exit status $tila_w (natively $tila_n)"
[ "$raportteja" -eq "$odotettu" ] && [ "$tila_w" -eq "$tila_n" ] && cmp -s "$kansio/natiivi" "$kansio/wine" || {
  echo "kelvio.exe differs from kelvio on a long standard input" >&2
  exit 1
}
