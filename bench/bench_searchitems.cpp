// The betweenness and centrality items, vertex connectivity, colouring, stable sets, cliques
// and domination through the item contract (Calculus::compute), one computation per iteration
// on each of the extreme 32-vertex graphs and on seeded G(32, p). Two graphs with the same
// adjacency and different identifiers take turns, so every compute runs the item's recompute;
// the breadth-first distances that the distance-based items share stay filled per graph, as
// on a board where several items read them (BM_Distances times the fill itself).
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {
QString textOf(const BenchGraph &g)
{
    QString bits;
    for (int i = 1; i < g.n; ++i)
        for (int j = 0; j < i; ++j)
            bits += ((g.rows[i] >> j) & 1u) ? '1' : '0';
    return QString::number(g.n) + ' ' + bits;
}

void itemOnGraph(benchmark::State &state, const char *key)
{
    benchApp();
    const BenchGraph &bg = benchGraphs()[state.range(0)];
    state.SetLabel(bg.name);
    Graph first("first", false);
    Graph second("second", false);
    first.loadCurrentGraph(textOf(bg));
    second.loadCurrentGraph(textOf(bg));
    if (first.getID() == second.getID()) {
        state.SkipWithError("both graphs drew the same identifier");
        return;
    }
    std::unique_ptr<Calculus> item(BuildCalculus().makeCalculus(key, false));
    Graph *graphs[2] = {&first, &second};
    int turn = 0;
    for (auto _ : state) {
        item->setGraph(graphs[turn]);
        turn ^= 1;
        if (!item->compute(true)) {
            state.SkipWithError("the item was not recomputed");
            return;
        }
        benchmark::DoNotOptimize(item->entry(0, 0));
    }
}

const int registered = [] {
    for (const char *key : {"BETWEENNESS", "DBETW", "DBETW2", "NBETWEENNESS", "CENTRALITY", "DCENTRALITY",
                            "DCENTRALITY2", "NCONN", "CHROMATIC", "CHROMATICVAL", "STABLEMAX", "CLIQMAX",
                            "INSTABLEMAX", "INCLIQMAX", "EINCLIQMAX", "DOMINATION", "INDOMINATION"}) {
        auto *b = benchmark::RegisterBenchmark((std::string("BM_Item/") + key).c_str(), itemOnGraph, key);
        for (int i = 0; i < int(benchGraphs().size()); ++i)
            b->Arg(i);
        b->Unit(benchmark::kMicrosecond);
    }
    return 0;
}();
} // namespace
