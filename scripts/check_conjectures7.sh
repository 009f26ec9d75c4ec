#!/usr/bin/env bash
# The conjecture check on every connected 7-vertex graph at the application's own time per job:
# the test connectedGraphsOnSeven of tst_conjecturewidget, in a Release build. The explorer
# loads the 853 graphs and computes ORDER, SIZE, WIENER, DIAMETER, RADIUS, ENERGY, GIRTH and the
# largest and smallest adjacency eigenvalues (LMAX, LMIN); the search runs with six columns (ORDER
# among them), with five, with SIZE, DIAMETER and GIRTH (the trees have no girth), and with LMAX
# and LMIN (their sum, 0 on the bipartite graphs, cancels). tests/conjectures/check_bounds.py
# reads every listed entry in exact rational arithmetic on the table's values (networkx and
# numpy's, from tests/conjectures/gen_connected7.py): each text holds on every row with no
# tolerance, touches exactly the graphs listed with it, and no two entries are one relation.
#   scripts/check_conjectures7.sh [seconds per job]   (default 120; 32 + 32 + 8 + 4 jobs on 4
#                                                       threads: about 19 times that in all)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
bash scripts/deps.sh cmake g++ ninja-build pkg-config qtbase5-dev libgtest-dev fontconfig fonts-dejavu-core python3
BUILD=${BUILD_DIR:-build-rel}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" --target tst_conjecturewidget
# Qt Test stops a test function (all four tables) after 5 minutes unless told otherwise, and
# the test's waits end by four fifths of that limit: 20 times the job's time and 8 minutes.
QT_QPA_PLATFORM=offscreen ORV_CONJECTURE_JOB_MS=$((seconds * 1000)) \
    QTEST_FUNCTION_TIMEOUT=$(((25 * seconds + 600) * 1000)) \
    "$BUILD/tests/tst_conjecturewidget" connectedGraphsOnSeven
