#!/usr/bin/env bash
# Sets up, builds and runs the main job: the offline demo search over a sandbox web on loopback.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target marvessa-cli
./build/marvessa-cli demo
