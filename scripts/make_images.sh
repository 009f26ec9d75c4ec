#!/usr/bin/env bash
# Redraws the images under src/images (and src/images/images.qrc) from
# scripts/images/make_images.cpp, and writes a contact sheet of them to look at before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD_DIR:-build-images}
SHEET=${SHEET:-/tmp/orvalith-images-sheet.png}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORV_TESTS=OFF -DORV_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target images
QT_QPA_PLATFORM=offscreen "$BUILD/orv_make_images" --sheet "$SHEET"
echo "Images written to src/images; contact sheet: $SHEET"
