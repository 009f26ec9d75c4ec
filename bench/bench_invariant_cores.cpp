// Speed of the invariant cores, each cycling through a set of 200 distinct 32-vertex graphs
// (seeded random graphs, relabelled paths and cycles, random trees; the set names the
// benchmark), and of the Wiener index over every connected graph on 8 vertices.
#include "invariants/core/Betweenness.h"
#include "invariants/core/Distances.h"
#include "invariants/core/Domination.h"
#include "invariants/core/ExactColouring.h"
#include "invariants/core/FlowBetweenness.h"
#include "invariants/core/Girth.h"
#include "invariants/core/StableSets.h"
#include "invariants/core/VertexConnectivity.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {
using Snapshot = BenchGraph;

// The core on one graph of the set per iteration, cycling through the set: the mean per graph.
template <typename Core>
void run(benchmark::State &state, const BenchSet &set, Core core)
{
    std::size_t k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(core(set.at(k++)));
    state.SetItemsProcessed(state.iterations());
}

template <typename Core>
void onSets(const char *name, Core core)
{
    registerOnSets(name, benchSets32(), [core](benchmark::State &state, const BenchSet &set) { run(state, set, core); });
}

const int registered = [] {
    onSets("BM_Distances", [](const Snapshot &g) { return Distances(g.rows, g.n).wiener(); });
    onSets("BM_Betweenness", [](const Snapshot &g) {
            Betweenness b;
            b.compute(g.rows, Distances(g.rows, g.n), Betweenness::Plain);
            return b.rowSum(0);
        });
    onSets("BM_FlowBetweenness", [](const Snapshot &g) {
            FlowBetweenness f;
            f.compute(g.rows, Distances(g.rows, g.n));
            return f.at(0, 1);
        });
    onSets("BM_VertexConnectivity", [](const Snapshot &g) { return VertexConnectivity::compute(g.rows, g.n); });
    onSets("BM_ExactColouring", [](const Snapshot &g) {
            ExactColouring c;
            return c.compute(g.rows, g.n);
        });
    onSets("BM_ChromaticNumber", [](const Snapshot &g) { return ExactColouring::chromaticNumber(g.rows, g.n); });
    onSets("BM_MaximumStableSet", [](const Snapshot &g) { return StableSets::firstMaximumStable(g.rows, g.n); });
    onSets("BM_MaximumClique", [](const Snapshot &g) { return StableSets::firstMaximumClique(g.rows, g.n); });
    onSets("BM_Domination", [](const Snapshot &g) { return Domination::firstMinimumSet(g.rows, g.n); });
    onSets("BM_Girth", [](const Snapshot &g) {
            Girth girth;
            girth.compute(g.rows, g.n);
            return girth.girth();
        });
    return 0;
}();

// Wiener index of every connected graph on 8 vertices, one thread.
void BM_WienerConnected8(benchmark::State &state)
{
    const BenchSet &set = benchSet("connected8");
    if (set.graphs.empty()) {
        state.SkipWithError("connected8.txt not found");
        return;
    }
    long long total = 0;
    for (auto _ : state)
        for (const auto &g : set.graphs)
            total += Distances(g.rows, g.n).wiener();
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * set.graphs.size());
}
BENCHMARK(BM_WienerConnected8)->Unit(benchmark::kMillisecond);

// Wiener index of 200 seeded G(32, 1/2) graphs.
void BM_WienerRandom32(benchmark::State &state)
{
    const BenchSet &set = benchSet("G(32,0.5)x200");
    long long total = 0;
    for (auto _ : state)
        for (const auto &g : set.graphs)
            total += Distances(g.rows, g.n).wiener();
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * set.graphs.size());
}
BENCHMARK(BM_WienerRandom32)->Unit(benchmark::kMicrosecond);
} // namespace
