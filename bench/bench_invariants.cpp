#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>
#include <memory>

namespace {
// One computation of an invariant per iteration, each on the next graph of the set.
const int registered = [] {
    for (const char *key : {"ADJACENCY", "IDENTITY", "ONEMAT", "ONEVEC", "LAPLACIAN", "SLLAPLACIAN", "NLAPLACIAN",
                            "MODULARITY", "COMNEIGH", "ORDER", "SIZE", "DEGREES", "DEGMAX", "DEGMIN", "PENDING",
                            "NUMERO", "KCHERRIES", "PLATT", "RANDIC", "ZAGREBM1", "ZAGREBM2", "CLAWS", "TRIANGLES",
                            "K4", "KIRCHHOFF", "ENERGY"})
        registerOnSets(std::string("BM_Invariant/") + key,
                       {"G(10,0.5)x200", "G(20,0.5)x200", "G(32,0.1)x200", "G(32,0.5)x200", "G(32,0.9)x200"},
                       [key](benchmark::State &state, const BenchSet &set) { timeOnGraphs(state, set, key, false); },
                       benchmark::kNanosecond);
    return 0;
}();
} // namespace
