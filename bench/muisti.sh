#!/usr/bin/env bash
# Peak memory of kelvio on inputs that make much output or hold much at once:
# 1,000,000 empty lines, a single 100 MiB line, and a 120 KB date pattern over
# 20,000 barcodes, in every output mode.
set -euo pipefail
cd "$(dirname "$0")/.."
kelvio=${1:-build/bench/src/cli/kelvio}
kansio=$(mktemp -d)
trap 'rm -rf "$kansio"' EXIT
head -c 1000000 /dev/zero | tr '\0' '\n' >"$kansio/tyhjat"
head -c $((100 << 20)) /dev/zero | tr '\0' '7' >"$kansio/pitka"
(yes 479123456000001230015000000000000000000001234561251231 || true) | head -n 20000 >"$kansio/koodit"
kaava=$(head -c 120000 /dev/zero | tr '\0' 'd')
mittaa() {
  local nimi=$1 syote=$2
  shift 2
  for muoto in "" --json --csv; do
    /usr/bin/time -f "%M" -o "$kansio/aika" "$kelvio" $muoto "$@" <"$syote" >/dev/null || true
    printf "%-28s %-7s peak %8d KiB\n" "$nimi" "${muoto:-text}" "$(tail -n 1 "$kansio/aika")"
  done
}
mittaa "1,000,000 empty lines" "$kansio/tyhjat"
mittaa "one 100 MiB line" "$kansio/pitka"
mittaa "120 KB date pattern" "$kansio/koodit" --date-format "$kaava"
