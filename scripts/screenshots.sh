#!/bin/sh
# Takes the pictures in docs/ (main window, white board, graph window, explorer) from the
# shell test of a first problem, run on a virtual X display.
# Usage: scripts/screenshots.sh [build directory, default build-test]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-test}
cmake --build "$build" -j4 --target tst_firstproblem
runtime=$(mktemp -d)
chmod 700 "$runtime"
# Leak reports of the X client libraries are not ours to judge here.
XDG_RUNTIME_DIR="$runtime" ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=xcb ORV_SCREENSHOTS="$root/docs" \
    xvfb-run -a -s "-screen 0 1600x1000x24" "$build/tests/tst_firstproblem"
rm -rf "$runtime"
ls -l "$root"/docs/*.png
