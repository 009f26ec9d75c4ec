// The betweenness and centrality items, vertex connectivity, colouring, stable sets, cliques
// and domination through the item contract (Calculus::compute), one computation per iteration
// cycling through sets of 200 distinct 32-vertex graphs (the set names the benchmark), one
// graph object per graph, so every compute runs the item's recompute and the distance-based
// items fill their breadth-first distances afresh (BM_Distances times the fill itself).
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {
const int registered = [] {
    for (const char *key : {"BETWEENNESS", "DBETW", "DBETW2", "NBETWEENNESS", "CENTRALITY", "DCENTRALITY",
                            "DCENTRALITY2", "NCONN", "CHROMATIC", "CHROMATICVAL", "STABLEMAX", "CLIQMAX",
                            "INSTABLEMAX", "INCLIQMAX", "EINCLIQMAX", "DOMINATION", "INDOMINATION"})
        registerOnSets(std::string("BM_Item/") + key, benchSets32(),
                       [key](benchmark::State &state, const BenchSet &set) { timeOnGraphs(state, set, key, true); });
    return 0;
}();
} // namespace
