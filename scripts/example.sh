#!/usr/bin/env bash
# Builds KESTRA and analyses a bundled example wall.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRA_BUILD_TESTS=OFF \
  -DKESTRA_SANITIZE=OFF >/dev/null
cmake --build build --target kestra-run
example=${1:-examples/cantilever-sand.ks5d}
build/bin/kestra-run "$example"
report="${example%.*}.ks5o"
echo
echo "Report: $report (results table below)"
sed -n '/RESULTS -- ITERATION/,$p' "$report"
