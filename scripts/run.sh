#!/usr/bin/env bash
# Sets up, builds and runs the main job: the window where there is a display, else the offline
# demo search over a sandbox web on loopback.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja >/dev/null
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cmake --build build --target marvessa
  exec ./build/marvessa
fi
cmake --build build --target marvessa-cli
exec ./build/marvessa-cli demo
