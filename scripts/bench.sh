#!/usr/bin/env bash
# Builds the benchmark program and runs it; any arguments go to the program,
# for example --small for one quick run on a few items (what CI does) or
# --benchmark_filter=Open. The build is a Release build in build-bench;
# BUILD_DIR and BUILD_TYPE choose another (CI reuses the tests' build, where
# only the benchmark's own files are left to compile).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh libbenchmark-dev
build="${BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" -DVOCANTO_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target vocanto_bench vocanto_memory
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
"$build/bench/vocanto_bench" "$@"
