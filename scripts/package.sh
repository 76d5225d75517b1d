#!/usr/bin/env bash
# Builds the Debian package in build-release: a Release build of the program,
# then cpack, which runs dpkg-shlibdeps for the package's dependencies.
# Prints the package's path; install it with
#   sudo apt-get install ./build-release/vocanto_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev file
build=build-release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target vocanto
rm -f "$build"/vocanto_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/vocanto_*.deb
