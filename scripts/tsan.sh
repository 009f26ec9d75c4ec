#!/usr/bin/env bash
# Builds the named tests with ThreadSanitizer and runs them headless.
#   scripts/tsan.sh tst_dataloader tst_analystwidget
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || { echo "usage: scripts/tsan.sh TEST..." >&2; exit 2; }
BUILD=${BUILD_DIR:-build-tsan}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORV_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="-O1 -g -fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build "$BUILD" -j4 --target "$@"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$PWD/$BUILD/xdg-runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
export TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/tsan.supp"
for t in "$@"; do
  "$BUILD/tests/$t"
done
