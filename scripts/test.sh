#!/usr/bin/env bash
# Installs what is missing, builds Vocanto and runs every test headless.
# BUILD_DIR and CMAKE_ARGS choose another build (the sanitizer build of CI).
set -euo pipefail
cd "$(dirname "$0")/.."
# The desktop checks' tools: the validators, and what a desktop uses to find
# a file's type and the program that opens it (xdg-mime asks mimetype).
scripts/deps.sh desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)"
