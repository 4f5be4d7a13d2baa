#!/usr/bin/env bash
# Benchmarks: the interpretation and each optimisation beside its plain
# baseline, then kelvio end to end on both cores and, as the baseline of the
# second worker, pinned to one core.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh cmake ninja-build g++ libbenchmark-dev
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null
build/bench/bench/tulkinta_bench --benchmark_min_time=1
for n in 1000000 10000000; do
  for valinta in "" --json; do
    build/bench/bench/kelvio_e2e_bench build/bench/src/cli/kelvio "$n" $valinta
    taskset -c 0 build/bench/bench/kelvio_e2e_bench build/bench/src/cli/kelvio "$n" $valinta |
      sed 's/^/one core: /'
  done
done
bash bench/muisti.sh build/bench/src/cli/kelvio
