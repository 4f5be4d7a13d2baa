#!/usr/bin/env bash
# Benchmarks: the interpretation function, then kelvio end to end.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh cmake ninja-build g++ libbenchmark-dev
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null
build/bench/bench/tulkinta_bench --benchmark_min_time=2
for n in 1000000 10000000; do
  build/bench/bench/kelvio_e2e_bench build/bench/src/cli/kelvio "$n"
  build/bench/bench/kelvio_e2e_bench build/bench/src/cli/kelvio "$n" --json
done
