#!/usr/bin/env bash
# Sets up a Debian machine and runs every check: formatting, clang-tidy, the
# native tests, then the Windows build and its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev \
  clang-format clang-tidy

echo "== Formatting"
find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror

echo "== Native build and tests"
cmake --preset default -DKELVIO_TESTS=ON >/dev/null
cmake --build --preset default
ctest --preset default

echo "== clang-tidy"
find src tests -name '*.cpp' ! -name '*windows*' ! -name 'ikkuna_test.cpp' ! -path 'src/app/*' ! -path 'src/dialogs/*' \
  -print0 | xargs -0 -n 4 -P "$(nproc)" clang-tidy -p build/default --quiet 2>/dev/null

if [ -f scripts/test-windows.sh ]; then
  bash scripts/test-windows.sh
fi
echo "== All tests passed"
