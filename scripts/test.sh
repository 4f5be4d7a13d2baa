#!/usr/bin/env bash
# Sets up a Debian machine and runs every check, in this order: formatting,
# the native build and tests, the benches' build, the layers, clang-tidy, a sample of planted
# faults, the native tests under the sanitizers, fuzzing, then the Windows
# build, its tests under Wine and its packages.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev zxing-cpp-tools librsvg2-bin \
  clang clang-format clang-tidy libclang-rt-14-dev pkg-config libzxing-dev libpoppler-cpp-dev libpng-dev \
  libjpeg-dev libtiff-dev libexpat1-dev libqrencode-dev qrencode imagemagick poppler-utils fonts-dejavu-core time \
  python3-jsonschema

echo "== Formatting"
find src tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror

echo "== Native build and tests"
cmake --preset default -DKELVIO_TESTS=ON >/dev/null
cmake --build --preset default
ctest --preset default -j2

echo "== The benches build (they are run by hand: timing is theirs to show, never a test's)"
cmake --preset bench >/dev/null
cmake --build --preset bench

echo "== Layers: no folder includes one above it"
python3 scripts/kerrokset.py src

echo "== clang-tidy"
find src tests -name '*.cpp' ! -name '*windows*' ! -name 'ikkuna_test.cpp' ! -path 'src/app/*' \
  ! -path 'src/dialogs/*' ! -path 'src/ikkunat/*' \
  -print0 | xargs -0 -n 4 -P "$(nproc)" clang-tidy -p build/default --quiet 2>/dev/null

echo "== Mutation testing: seeded samples of 40 planted faults, at least 90 % killed"
python3 scripts/mutants.py --osio ydin --otos 40 --raja 90
python3 scripts/mutants.py --osio lukija --otos 40 --raja 90

echo "== Native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize -j2

echo "== Fuzzing: four targets, 60 seconds each, libraries instrumented for coverage"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for kohde in kelvio_fuzz:siemenet kelvio_cli_fuzz:siemenet-cli kelvio_kansio_fuzz:siemenet-kansio \
  kelvio_lue_fuzz:siemenet-lue; do
  korpus=$(mktemp -d)
  cp "fuzz/${kohde#*:}"/* "$korpus"/
  printf '%-20s ' "${kohde%%:*}"
  # A crash fails the run and names the target; its input is left in build/fuzz/
  # to be committed as a seed.
  if ! build/fuzz/fuzz/${kohde%%:*} -max_total_time=60 -timeout=10 -max_len=65536 \
    -artifact_prefix=build/fuzz/ "$korpus" >build/fuzz/loki.txt 2>&1; then
    tail -n 30 build/fuzz/loki.txt
    echo "Fuzzing ${kohde%%:*} found a fault; its input is in build/fuzz/ (crash-*, timeout-*, oom-*)" >&2
    exit 1
  fi
  grep -E '^#[0-9]+.*DONE' build/fuzz/loki.txt | tail -n 1
  rm -rf "$korpus"
done

bash scripts/test-windows.sh
echo "== All tests passed"
