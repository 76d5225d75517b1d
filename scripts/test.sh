#!/usr/bin/env bash
# Installs what is missing, builds Vocanto and runs every test headless.
# BUILD_DIR and CMAKE_ARGS choose another build (the sanitizer build of CI).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh desktop-file-utils appstream
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)"
