#!/usr/bin/env bash
# Builds the Debian package marvessa_VERSION_ARCH.deb with CPack in build-package/ (BUILD_DIR)
# and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build="${BUILD_DIR:-build-package}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARVESSA_TESTS=OFF -DMARVESSA_BENCH=OFF >/dev/null
cmake --build "$build" >&2
rm -f "$build"/marvessa_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/marvessa_*.deb
