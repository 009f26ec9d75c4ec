// The seven tree-family items through the item contract (Calculus::compute), one computation
// per iteration, each on the next graph of a set of 200 distinct 32-vertex graphs (one graph
// object per graph): every computation sees a new adjacency and pays its own breadth-first
// distance fill, as a candidate graph of a search in which no distance item shares the fill.
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {
const int registered = [] {
    for (const char *key : {"TREE", "PATH", "STAR", "SPIDER", "CATERPILLAR", "LOBSTER", "COMET"})
        registerOnSets(std::string("BM_Family/") + key, {"P32x200", "trees32x200", "G(32,0.1)x200"},
                       [key](benchmark::State &state, const BenchSet &set) { timeOnGraphs(state, set, key, true); });
    return 0;
}();
} // namespace
