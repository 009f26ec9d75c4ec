#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>
#include <memory>

namespace {
// One computation of an invariant on a seeded G(n, 1/2).
void invariantOnRandomGraph(benchmark::State &state, const char *key)
{
    benchApp();
    const int n = static_cast<int>(state.range(0));
    Graph g("G", false);
    qsrand(uint(1000 + n));
    g.randomGraph(n);
    std::unique_ptr<Calculus> item(BuildCalculus().makeCalculus(key, false));
    item->setGraph(&g);
    for (auto _ : state) {
        item->recompute();
        benchmark::DoNotOptimize(item->entry(0, 0));
    }
}

const int registered = [] {
    for (const char *key : {"ADJACENCY", "IDENTITY", "ONEMAT", "ONEVEC", "LAPLACIAN", "SLLAPLACIAN", "NLAPLACIAN",
                            "MODULARITY", "COMNEIGH", "ORDER", "SIZE", "DEGREES", "DEGMAX", "DEGMIN", "PENDING",
                            "NUMERO", "KCHERRIES", "PLATT", "RANDIC", "ZAGREBM1", "ZAGREBM2", "CLAWS", "TRIANGLES",
                            "K4", "KIRCHHOFF", "ENERGY"})
        benchmark::RegisterBenchmark((std::string("BM_Invariant/") + key).c_str(), invariantOnRandomGraph, key)
            ->Arg(10)
            ->Arg(20)
            ->Arg(32);
    return 0;
}();
} // namespace
