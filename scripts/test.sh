#!/usr/bin/env bash
# Builds everything with warnings as errors and runs all tests, then builds
# again with AddressSanitizer and UndefinedBehaviorSanitizer and runs the
# tests once more.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

# Every option is given: a build folder configured otherwise before (by
# scripts/example.sh, say) must not leave tests out.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRA_WERROR=ON \
  -DKESTRA_BUILD_TESTS=ON -DKESTRA_BUILD_BENCH=ON \
  -DKESTRA_SANITIZE=OFF >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure --no-tests=error

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRA_SANITIZE=ON \
  -DKESTRA_WERROR=ON -DKESTRA_BUILD_TESTS=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -j "$jobs" --output-on-failure --no-tests=error
