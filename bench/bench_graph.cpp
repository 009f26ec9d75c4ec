#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>

namespace {
void BM_GraphTextRoundTrip(benchmark::State &state)
{
    benchApp();
    Graph g("G", false);
    qsrand(1);
    g.randomGraph(static_cast<int>(state.range(0)));
    const QString text = g.currentGraphData();
    for (auto _ : state) {
        g.loadCurrentGraph(text);
        benchmark::DoNotOptimize(g.currentGraphData());
    }
}
BENCHMARK(BM_GraphTextRoundTrip)->Arg(8)->Arg(20)->Arg(32);

void BM_Snapshot(benchmark::State &state)
{
    benchApp();
    Graph g("G", false);
    qsrand(2);
    g.randomGraph(32);
    Graph::Row rows[32];
    for (auto _ : state)
        benchmark::DoNotOptimize(g.snapshot(rows));
}
BENCHMARK(BM_Snapshot);
} // namespace
