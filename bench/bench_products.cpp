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
    timeItems(state, products);
}

// MOMENT with degree weights, cycling through the set: the shared distances are filled again
// for every graph, as in a search.
void moment(benchmark::State &state, const BenchSet &set)
{
    timeOnGraphs(state, set, "MOMENT", false);
}

const int registered = [] {
    registerOnSets("BM_Product32", {"G(32,0.5)x200"}, product);
    registerOnSets("BM_Moment32", {"G(32,0.5)x200"}, moment);
    return 0;
}();
} // namespace
