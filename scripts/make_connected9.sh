#!/bin/sh
# Writes the 261,080 connected graphs on 9 vertices, one graph6 line each, for the loader
# benchmark (bench/bench_explorer.cpp). The file is large and is not kept in the repository.
#   scripts/make_connected9.sh [output]   (default: /tmp/orv_connected9.g6)
set -e
out="${1:-/tmp/orv_connected9.g6}"
command -v nauty-geng >/dev/null || { echo "nauty-geng not found: apt-get install nauty" >&2; exit 1; }
nauty-geng -c -q 9 > "$out"
echo "$(wc -l < "$out") graphs in $out"
