#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>
#include <memory>

namespace {
const BenchGraph &halfDense()
{
    for (const BenchGraph &w : benchGraphs())
        if (QLatin1String(w.name) == QLatin1String("G(32,0.5)"))
            return w;
    return benchGraphs().front();
}

// The bench graph built edge by edge on a cleared graph (a new one holds a random graph).
void build(Graph &g, const BenchGraph &w)
{
    g.clear();
    while (g.getNbNodes() < w.n)
        g.addNode();
    for (int i = 0; i < w.n; ++i)
        for (Graph::Row r = w.rows[i] & ~((Graph::Row(2) << i) - 1); r; r &= r - 1)
            g.addEdge(i, __builtin_ctz(r));
}

// "*" of two 32 x 32 matrices (the distance matrix of G(32, 1/2) by itself): the product alone,
// its arguments computed once.
void BM_Product32(benchmark::State &state)
{
    benchApp();
    Graph g("G", false);
    build(g, halfDense());
    BuildCalculus factory;
    std::unique_ptr<Calculus> d(factory.makeCalculus("DISTANCES", false));
    d->setGraph(&g);
    d->compute(true);
    std::unique_ptr<Calculus> product(factory.makeCalculus("*", false));
    product->setGraph(&g);
    product->setArg1(d.get());
    product->setArg2(d.get());
    state.counters["edges"] = g.getNbEdges();
    for (auto _ : state) {
        product->recompute();
        benchmark::DoNotOptimize(product->entry(31, 31));
    }
}
BENCHMARK(BM_Product32);

// MOMENT with degree weights on G(32, 1/2). With `fresh`, an edge flips before each
// computation, so the shared distances are filled again every time, as in a search.
void momentOnHalfDense(benchmark::State &state, bool fresh)
{
    benchApp();
    Graph g("G", false);
    build(g, halfDense());
    BuildCalculus factory;
    std::unique_ptr<Calculus> moment(factory.makeCalculus("MOMENT", false));
    moment->setGraph(&g);
    state.counters["edges"] = g.getNbEdges();
    for (auto _ : state) {
        if (fresh)
            g.toggleEdge(3, 17);
        moment->recompute();
        benchmark::DoNotOptimize(moment->entry(0, 0));
    }
}
void BM_Moment32(benchmark::State &state) { momentOnHalfDense(state, false); }
void BM_Moment32_FreshDistances(benchmark::State &state) { momentOnHalfDense(state, true); }
BENCHMARK(BM_Moment32);
BENCHMARK(BM_Moment32_FreshDistances);
} // namespace
