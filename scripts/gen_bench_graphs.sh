#!/usr/bin/env bash
# Writes the graph lists that the benchmarks evaluate: every connected graph on 8 vertices,
# up to isomorphism, in graph6 (11,117 lines), made by nauty's generator.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
nauty-geng -cq 8 > "$here/bench/data/connected8.g6"
wc -l "$here/bench/data/connected8.g6"
