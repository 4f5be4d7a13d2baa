#!/bin/sh
# kelvio.exe read under Wine gives the records that kelvio read gives
# natively, for every sample kind, in text and in JSON, with the same exit
# status; a file named in Finnish with a dash is read by its UTF-16 name.
# $1: the native kelvio, $2: kelvio.exe, $3: tests/cli.
set -eu
natiivi=$1
exe=$2
kansio=$(mktemp -d)
trap 'rm -rf "$kansio"' EXIT
sh "$3/lue-naytteet.sh" "$natiivi" "$kansio" >/dev/null
cd "$kansio"
cp symboli.pdf "Lähde Oy – lasku 12.pdf"
set -- "Lähde Oy – lasku 12.pdf" symboli.pdf kaksi.pdf yhdessa.pdf ristiriita.pdf taulukko.pdf \
  katkennut.pdf symboli.png vino.jpg kaannetty.png tyhja.png qr.png qr-kuva.jpg sivut.tif alfa.png \
  alfa.tif syva.png paletti.png cmyk.jpg qr-vika.png qr-muu.png qr-rivit.png pdfkommentti.png \
  epi.xml virtuaali.xml pankista.xml pommi.xml lyhyt.xml pitka.xml teksti.txt
for muoto in "" --json; do
  tila=0
  "$natiivi" read $muoto --summary "$@" >natiivi.txt 2>/dev/null || tila=$?
  wtila=0
  wine "$exe" read $muoto --summary "$@" >wine-crlf.txt 2>/dev/null || wtila=$?
  tr -d '\r' <wine-crlf.txt >wine.txt
  if ! cmp -s natiivi.txt wine.txt || [ "$tila" != "$wtila" ]; then
    echo "kelvio.exe read $muoto: exit status $wtila (natively $tila), and these differences:" >&2
    diff natiivi.txt wine.txt | head -n 40 >&2
    exit 1
  fi
done
grep -q '"file":"Lähde Oy – lasku 12.pdf","page":1' wine.txt || {
  echo "kelvio.exe read: the Finnish file name is not in its record" >&2
  exit 1
}
echo "kelvio.exe read under Wine: $# files, the same records and exit status ($tila) as natively"
