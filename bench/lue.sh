#!/usr/bin/env bash
# kelvio read on a PDF of many A4 pages, each with one bank barcode at the
# bottom as a giro form prints it, beside the pipeline of
# Debian's tools on the same file at the same resolution: pdftoppm -gray
# renders every page, ZXingReader decodes them. Pages per second of each, and
# the peak memory of kelvio read for two lengths of file (flat in pages).
# A folder of the same pages as one-page PDFs, read in parallel, beside the
# plain way, one file at a time, and beside the one PDF (pages/s).
# Then symbolit_bench of the same build, if built: each trick of kelvio read
# beside its plain baseline.
# Usage: bench/lue.sh KELVIO [PAGES]
set -euo pipefail
K=$(realpath "$1")
N=${2:-60}
kansio=$(mktemp -d)
trap 'rm -rf "$kansio"' EXIT
cd "$kansio"
tee_pdf() {
  local n=$1 sivut=()
  for i in $(seq 1 "$n"); do
    viite=$(printf '%d' $((1000 + i)))
    # a national reference with its 7-3-1 check digit
    summa=0; p=(7 3 1); k=0
    for ((j=${#viite}-1; j>=0; j--)); do summa=$((summa + ${viite:j:1} * ${p[k % 3]})); k=$((k+1)); done
    viite="$viite$(( (10 - summa % 10) % 10 ))"
    "$K" make --iban FI2112345600000785 --reference "$viite" --amount "$i" --svg "s$i.svg" >/dev/null
    sivut+=("s$i.svg")
  done
  rsvg-convert -f pdf --page-width 210mm --page-height 297mm --left 20mm --top 240mm -o "$2" "${sivut[@]}"
}
tee_pdf "$N" lyhyt.pdf
mkdir kansio
for i in $(seq 1 "$N"); do
  rsvg-convert -f pdf --page-width 210mm --page-height 297mm --left 20mm --top 240mm \
    -o "kansio/$(printf '%04d' "$i").pdf" "s$i.svg"
done
tee_pdf $((N * 3)) pitka.pdf
mittaa() {  # seconds and peak KiB of a command, from GNU time's format
  /usr/bin/time -f '%e %M' -o aika.txt "$@" >ulos.txt 2>/dev/null || true
  tail -n 1 aika.txt  # after "Command exited with non-zero status N", if any
}
read -r s1 m1 < <(mittaa "$K" read lyhyt.pdf)
loydot=$(grep -c '^Viivakoodin versio' ulos.txt)
read -r s3 m3 < <(mittaa "$K" read pitka.pdf)
putki() { pdftoppm -gray -r 300 lyhyt.pdf p && ZXingReader -format Code128,QRCode p-*.pgm; }
export -f putki
read -r sp mp < <(mittaa bash -c putki)
loydotP=$(grep -c '^Text:' ulos.txt)
awk -v n="$N" -v s1="$s1" -v sp="$sp" -v m1="$m1" -v m3="$m3" -v l="$loydot" -v lp="$loydotP" 'BEGIN {
  printf "kelvio read, %d pages at 300 dpi: %.1f pages/s (%d codes found), peak %d KiB; %d pages: peak %d KiB\n", n, n / s1, l, m1, 3 * n, m3
  printf "pdftoppm -gray -r 300 | ZXingReader: %.1f pages/s (%d codes found)\n", n / sp, lp
  printf "kelvio read is %.1fx the pipeline\n", sp / s1 }'
read -r sk mk < <(mittaa "$K" read kansio)
loydotK=$(grep -c '^Viivakoodin versio' ulos.txt)
yksittain() { for f in kansio/*.pdf; do "$K" read "$f"; done; }
export -f yksittain
export K
read -r sy my < <(mittaa bash -c yksittain)
awk -v n="$N" -v s1="$s1" -v sk="$sk" -v sy="$sy" -v l="$loydotK" 'BEGIN {
  printf "kelvio read on a folder of %d one-page PDFs: %.1f files/s (%d codes found); one at a time: %.1f files/s (%.1fx)\n", n, n / sk, l, n / sy, sy / sk
  printf "the folder per page beside the one PDF of %d pages: %.2fx its time\n", n, sk / s1 }'
# Memory flat in matches: pages that each repeat one symbol 30 times, as a
# hostile file may; the peak for N pages beside 3N.
{
  echo '<svg xmlns="http://www.w3.org/2000/svg" width="210mm" height="297mm" viewBox="0 0 210 297">'
  echo '<rect width="210" height="297" fill="#fff"/>'
  for r in $(seq 0 14); do
    for c in 0 1; do
      sed '1d;s/<svg [^>]*viewBox=/<svg x="'$((5 + c * 102))'" y="'$((5 + r * 19))'" width="96" height="13" viewBox=/' s1.svg
    done
  done
  echo '</svg>'
} >toisto.svg
toistot() { local n=$1 t=(); for i in $(seq 1 "$n"); do t+=(toisto.svg); done; rsvg-convert -f pdf -o "$2" "${t[@]}"; }
toistot $((N / 4)) toisto1.pdf
toistot $((3 * N / 4)) toisto3.pdf
read -r st1 mt1 < <(mittaa "$K" read toisto1.pdf)
read -r st3 mt3 < <(mittaa "$K" read toisto3.pdf)
echo "pages repeating a symbol 30 times: $((N / 4)) pages peak $mt1 KiB, $((3 * N / 4)) pages peak $mt3 KiB"
B=$(dirname "$K")/../../bench/symbolit_bench
if [ -x "$B" ]; then
  KELVIO_BENCH_PDF=lyhyt.pdf KELVIO_BENCH_SIVU=kansio/0001.pdf "$B" 2>/dev/null | grep -E "^(BM_|Benchmark)"
fi
