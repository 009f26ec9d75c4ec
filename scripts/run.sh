#!/usr/bin/env bash
# Builds Orvalith (optimised) and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake g++ ninja-build pkg-config qtbase5-dev libbenchmark-dev fontconfig fonts-dejavu-core
BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORV_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target orvalith
exec "$BUILD/orvalith" "$@"
