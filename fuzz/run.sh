#!/usr/bin/env bash
# Builds the input fuzzer with clang and runs it for a while (seconds as the
# first argument, default 600). Crashing inputs land in fuzz/artifacts/;
# copy them to tests/engine/data/fuzz/ as regression tests.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKESTRA_BUILD_FUZZ=ON \
  -DKESTRA_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz --target input_fuzz
mkdir -p fuzz/corpus fuzz/artifacts
cp -n examples/*.ks5d tests/engine/data/fuzz/*.ks5d fuzz/corpus/ 2>/dev/null || true
build-fuzz/bin/input_fuzz fuzz/corpus -max_total_time="$seconds" -max_len=4096 \
  -artifact_prefix=fuzz/artifacts/ -print_final_stats=1
