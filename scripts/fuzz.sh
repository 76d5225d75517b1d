#!/usr/bin/env bash
# Builds the libFuzzer target with clang in build-fuzz and runs it for the
# given number of seconds (default 60) on the seed corpus in fuzz/corpus.
# Fails when the fuzzer finds a crash, a sanitizer report, a timeout or a
# broken check; the input that caused it is left in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/deps.sh clang libfuzzer-14-dev
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G "Unix Makefiles" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOCANTO_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_vocabfile
mkdir -p "$build/corpus" "$build/findings"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
"$build/fuzz/fuzz_vocabfile" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 \
  -entropic_scale_per_exec_time=1 \
  -max_len=16384 -print_final_stats=1 -artifact_prefix="$build/findings/" \
  "$build/corpus" fuzz/corpus
