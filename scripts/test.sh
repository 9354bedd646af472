#!/usr/bin/env bash
# Builds everything with warnings as errors and runs all tests, then builds
# again with AddressSanitizer and UndefinedBehaviorSanitizer and runs the
# tests once more.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DKESTRA_WERROR=ON -DKESTRA_BUILD_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRA_SANITIZE=ON \
  -DKESTRA_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -j "$jobs" --output-on-failure
