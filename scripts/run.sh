#!/usr/bin/env bash
# Builds Orvalith (optimised) and starts the application in the home folder: like a program
# started from a desktop, it keeps its autosaves (.orvpb, .orvgr) there, not in the checkout.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake g++ ninja-build pkg-config qtbase5-dev libbenchmark-dev fontconfig fonts-dejavu-core
BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORV_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target orvalith
app=$(cd "$BUILD" && pwd)/orvalith
cd "${HOME:-/tmp}"
exec "$app" "$@"
