#!/usr/bin/env bash
# Installs what is missing, builds Vocanto and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vocanto
exec build/src/vocanto "$@"
