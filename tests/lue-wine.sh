#!/bin/sh
# kelvio.exe read under Wine gives the records that kelvio read gives
# natively, for every sample kind, in text (with Finnish regional settings)
# and in JSON, with the same exit status; a file named in Finnish with a dash
# is read by its UTF-16 name.
# $1: the native kelvio, $2: kelvio.exe, $3: tests/cli.
set -eu
natiivi=$1
exe=$2
LAPSI="kelvio.exe --kelvio-lapsi"
kansio=$(mktemp -d)
trap 'rm -rf "$kansio"' EXIT
sh "$3/lue-naytteet.sh" "$natiivi" "$kansio" >/dev/null
cd "$kansio"
mkdir suomeksi
cp symboli.pdf "suomeksi/Lähde Oy – lasku 12.pdf"
set -- suomeksi symboli.pdf kaksi.pdf yhdessa.pdf ristiriita.pdf taulukko.pdf \
  katkennut.pdf symboli.png vino.jpg kaannetty.png tyhja.png qr.png qr-kuva.jpg sivut.tif alfa.png \
  alfa.tif syva.png paletti.png cmyk.jpg qr-vika.png qr-muu.png qr-rivit.png pdfkommentti.png \
  epi.xml virtuaali.xml pankista.xml pommi.xml lyhyt.xml pitka.xml teksti.txt
# Wine takes its regional settings from the locale's name, installed or not.
export LC_ALL=fi_FI.UTF-8
for muoto in "" --json; do
  tila=0
  "$natiivi" read $muoto --summary "$@" >natiivi.txt 2>/dev/null || tila=$?
  wtila=0
  wine "$exe" read $muoto --summary "$@" >wine-crlf.txt 2>/dev/null || wtila=$?
  # The folder's files are named with Windows' separator there.
  tr -d '\r' <wine-crlf.txt | sed -E 's#suomeksi\\+#suomeksi/#g' >wine.txt
  if ! cmp -s natiivi.txt wine.txt || [ "$tila" != "$wtila" ]; then
    echo "kelvio.exe read $muoto: exit status $wtila (natively $tila), and these differences:" >&2
    diff natiivi.txt wine.txt | head -n 40 >&2
    exit 1
  fi
done
grep -q '"file":"suomeksi.Lähde Oy – lasku 12.pdf","page":1' wine.txt || {
  echo "kelvio.exe read: the Finnish file name is not in its record" >&2
  exit 1
}
echo "kelvio.exe read under Wine: $# files, the same records and exit status ($tila) as natively"

# The children die with kelvio.exe, however it ends: killed while it reads
# 16 slow pages (seconds of work), it leaves no decoding process behind a
# moment later (the Job object's last handle was its own).
rsvg-convert -f pdf -o raskas.pdf a1.svg a1.svg a1.svg a1.svg a1.svg a1.svg a1.svg a1.svg \
  a1.svg a1.svg a1.svg a1.svg a1.svg a1.svg a1.svg a1.svg
# Waits up to $1 tenths of a second for the command after $2 to succeed;
# else says $2 and fails.
odota() {
  kertoja=$1 viesti=$2
  shift 2
  until "$@"; do
    kertoja=$((kertoja - 1))
    [ "$kertoja" -gt 0 ] || { echo "$viesti" >&2; exit 1; }
    sleep 0.1
  done
}
lapsia() { pgrep -f -- "$LAPSI" >/dev/null; }
ei_lapsia() { ! lapsia; }
wine "$exe" read raskas.pdf >/dev/null 2>&1 &
odota 600 "kelvio.exe read started no child" lapsia
pkill -KILL -f 'kelvio.exe read raskas.pdf'
odota 30 "kelvio.exe read: a child outlived its parent" ei_lapsia
echo "kelvio.exe read under Wine: its children end with it"
