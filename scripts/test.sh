#!/usr/bin/env bash
# Builds Orvalith with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test headless,
# then the tests of the threaded code under ThreadSanitizer, then every test once more in an
# optimised Release build, where code runs as users run it.
set -euo pipefail
cd "$(dirname "$0")/.."
# python3: the conjecture tests check every listed text in exact rational arithmetic.
bash scripts/deps.sh cmake g++ ninja-build pkg-config qtbase5-dev libbenchmark-dev libgtest-dev fontconfig fonts-dejavu-core python3
BUILD=${BUILD_DIR:-build-test}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORV_SANITIZE=ON -DORV_BENCH=ON \
      -DCMAKE_CXX_FLAGS="-O1" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
(cd "$BUILD" && ctest --no-tests=error --output-on-failure -j"$(nproc)" "$@")

# The tests of the threaded code (archive, search worker, loader and the reads it shares with the
# text files, explorer panels, conjecture engine) once more under ThreadSanitizer, in a build of
# their own that makes only those targets.
TSAN_BUILD=${TSAN_BUILD_DIR:-build-tsan}
TSAN_TESTS=(tst_optimalsolutions tst_vns tst_vnsmanager tst_dataloader tst_textfile tst_analystwidget
            tst_conjectureengine tst_conjecturewidget)
cmake -S . -B "$TSAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORV_TSAN=ON -DORV_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="-O1" >/dev/null
cmake --build "$TSAN_BUILD" -j"$(nproc)" --target "${TSAN_TESTS[@]}"
(cd "$TSAN_BUILD" && ctest --no-tests=error --output-on-failure -R "^($(IFS='|'; echo "${TSAN_TESTS[*]}"))\$")

# The whole suite in the build users run: optimised code reaches states that the sanitizer
# builds, slower and otherwise laid out, never do.
RELEASE_BUILD=${RELEASE_BUILD_DIR:-build-rel}
cmake -S . -B "$RELEASE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORV_TESTS=ON -DORV_BENCH=ON >/dev/null
cmake --build "$RELEASE_BUILD" -j"$(nproc)"
(cd "$RELEASE_BUILD" && ctest --no-tests=error --output-on-failure -j"$(nproc)" "$@")
