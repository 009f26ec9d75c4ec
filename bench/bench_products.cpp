#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>
#include <memory>

namespace {
// "*" of two 32 x 32 matrices (the distance matrix of each graph of the set by itself): the
// product alone, its arguments computed once per graph beforehand.
void product(benchmark::State &state, const BenchSet &set)
{
    const std::vector<std::unique_ptr<Calculus>> distances = benchArguments(set, "DISTANCES");
    std::vector<std::unique_ptr<Calculus>> products = benchOperators(distances, "*");
    for (std::size_t k = 0; k < products.size(); ++k)
        products[k]->setArg2(distances[k].get());
    std::size_t k = 0;
    for (auto _ : state) {
        Calculus *p = products[k].get();
        if (++k == products.size())
            k = 0;
        p->recompute();
        benchmark::DoNotOptimize(p->entry(31, 31));
    }
    state.SetItemsProcessed(state.iterations());
}

// MOMENT with degree weights, cycling through the set: the shared distances are filled again
// for every graph, as in a search.
void moment(benchmark::State &state, const BenchSet &set)
{
    const auto &graphs = benchGraphObjects(set);
    std::unique_ptr<Calculus> item(BuildCalculus().makeCalculus("MOMENT", false));
    std::size_t k = 0;
    for (auto _ : state) {
        item->setGraph(graphs[k].get());
        if (++k == graphs.size())
            k = 0;
        item->recompute();
        benchmark::DoNotOptimize(item->entry(0, 0));
    }
    state.SetItemsProcessed(state.iterations());
}

const int registered = [] {
    registerOnSets("BM_Product32", {"G(32,0.5)x200"}, product);
    registerOnSets("BM_Moment32", {"G(32,0.5)x200"}, moment);
    return 0;
}();
} // namespace
