#!/usr/bin/env bash
# kelvio end to end beside an earlier commit of itself, in one run: both
# built optimised, then each output format measured on both binaries in
# turn (best of five each, bench/kelvio_e2e.cpp), so that a change on the
# batch path is shown beside its baseline on the same machine at one time.
# Usage: bench/vertaa.sh REV [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
REV=$1
N=${2:-1000000}
bash scripts/setup.sh cmake ninja-build g++ libbenchmark-dev
vanha=$(mktemp -d)
trap 'git worktree remove --force "$vanha/puu" >/dev/null 2>&1 || true; rm -rf "$vanha"' EXIT
git worktree add -q --detach "$vanha/puu" "$REV"
cmake -S "$vanha/puu" -B "$vanha/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKELVIO_TESTS=OFF >/dev/null
cmake --build "$vanha/build" --target kelvio >/dev/null
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null
E2E=build/bench/bench/kelvio_e2e_bench
for valinta in "" --json; do
  a=$("$E2E" "$vanha/build/src/cli/kelvio" "$N" $valinta)
  b=$("$E2E" build/bench/src/cli/kelvio "$N" $valinta)
  echo "$REV: $a"
  echo "now: $b"
  awk -v a="$a" -v b="$b" 'BEGIN {
    split(a, x, " +"); split(b, y, " +")
    for (i in x) if (x[i] == "barcodes/s") { va = x[i - 1]; vb = y[i - 1] }
    printf "    %.2fx\n", vb / va }'
done
