#!/usr/bin/env bash
# Builds the benchmark program in Release (build-bench) and runs it; any
# arguments go to the program, for example --small for one quick run on a
# few items (what CI does) or --benchmark_filter=Open.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh libbenchmark-dev
build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVOCANTO_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target vocanto_bench vocanto_memory
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
"$build/bench/vocanto_bench" "$@"
