// Speed of the invariant cores on the extreme 32-vertex graphs and on random ones, and of the
// Wiener index over every connected graph on 8 vertices (graphs per second).
#include "FixtureReader.h"
#include "NamedGraphs.h"
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
const std::vector<Snapshot> &graphs() { return benchGraphs(); }

template <typename Core>
void run(benchmark::State &state, Core core)
{
    const Snapshot &g = graphs()[state.range(0)];
    state.SetLabel(g.name);
    for (auto _ : state)
        benchmark::DoNotOptimize(core(g));
}

void allGraphs(benchmark::internal::Benchmark *b)
{
    for (int i = 0; i < int(graphs().size()); ++i)
        b->Arg(i);
    b->Unit(benchmark::kMicrosecond);
}

void BM_Distances(benchmark::State &state)
{
    run(state, [](const Snapshot &g) { return Distances(g.rows, g.n).wiener(); });
}
BENCHMARK(BM_Distances)->Apply(allGraphs);

void BM_Betweenness(benchmark::State &state)
{
    run(state, [](const Snapshot &g) {
        Betweenness b;
        b.compute(g.rows, Distances(g.rows, g.n), Betweenness::Plain);
        return b.rowSum(0);
    });
}
BENCHMARK(BM_Betweenness)->Apply(allGraphs);

void BM_FlowBetweenness(benchmark::State &state)
{
    run(state, [](const Snapshot &g) {
        FlowBetweenness f;
        f.compute(g.rows, Distances(g.rows, g.n));
        return f.at(0, 1);
    });
}
BENCHMARK(BM_FlowBetweenness)->Apply(allGraphs);

void BM_VertexConnectivity(benchmark::State &state)
{
    run(state, [](const Snapshot &g) { return VertexConnectivity::compute(g.rows, g.n); });
}
BENCHMARK(BM_VertexConnectivity)->Apply(allGraphs);

void BM_ExactColouring(benchmark::State &state)
{
    run(state, [](const Snapshot &g) {
        ExactColouring c;
        return c.compute(g.rows, g.n);
    });
}
BENCHMARK(BM_ExactColouring)->Apply(allGraphs);

void BM_ChromaticNumber(benchmark::State &state)
{
    run(state, [](const Snapshot &g) { return ExactColouring::chromaticNumber(g.rows, g.n); });
}
BENCHMARK(BM_ChromaticNumber)->Apply(allGraphs);

void BM_MaximumStableSet(benchmark::State &state)
{
    run(state, [](const Snapshot &g) { return StableSets::firstMaximumStable(g.rows, g.n); });
}
BENCHMARK(BM_MaximumStableSet)->Apply(allGraphs);

void BM_MaximumClique(benchmark::State &state)
{
    run(state, [](const Snapshot &g) { return StableSets::firstMaximumClique(g.rows, g.n); });
}
BENCHMARK(BM_MaximumClique)->Apply(allGraphs);

void BM_Domination(benchmark::State &state)
{
    run(state, [](const Snapshot &g) { return Domination::firstMinimumSet(g.rows, g.n); });
}
BENCHMARK(BM_Domination)->Apply(allGraphs);

void BM_Girth(benchmark::State &state)
{
    run(state, [](const Snapshot &g) {
        Girth girth;
        girth.compute(g.rows, g.n);
        return girth.girth();
    });
}
BENCHMARK(BM_Girth)->Apply(allGraphs);

// Wiener index of every connected graph on 8 vertices, one thread.
void BM_WienerConnected8(benchmark::State &state)
{
    if (qEnvironmentVariableIsEmpty("ORV_FIXTURES"))
        qputenv("ORV_FIXTURES", ORV_FIXTURE_DIR);
    static const QVector<FixtureReader::Entry> entries = FixtureReader::read("connected8.txt");
    if (entries.isEmpty()) {
        state.SkipWithError("connected8.txt not found");
        return;
    }
    long long total = 0;
    for (auto _ : state)
        for (const auto &e : entries)
            total += Distances(e.rows, e.n).wiener();
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * entries.size());
}
BENCHMARK(BM_WienerConnected8)->Unit(benchmark::kMillisecond);

// Wiener index of seeded G(32, 1/2) graphs.
void BM_WienerRandom32(benchmark::State &state)
{
    static const std::vector<Snapshot> random = [] {
        std::vector<Snapshot> out(64);
        for (unsigned i = 0; i < out.size(); ++i)
            out[i].n = NamedGraphs::random(out[i].rows, 32, 0.5, 100 + i);
        return out;
    }();
    long long total = 0;
    for (auto _ : state)
        for (const auto &g : random)
            total += Distances(g.rows, g.n).wiener();
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * random.size());
}
BENCHMARK(BM_WienerRandom32)->Unit(benchmark::kMicrosecond);
} // namespace
