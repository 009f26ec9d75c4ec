#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/Eig.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {
QVector<QVector<double>> adjacency(const BenchGraph &w)
{
    QVector<QVector<double>> a(w.n, QVector<double>(w.n, 0.0));
    for (int i = 0; i < w.n; ++i)
        for (int j = 0; j < w.n; ++j)
            a[i][j] = ((w.rows[i] >> j) & 1u) ? 1.0 : 0.0;
    return a;
}

// The operator over ADJACENCY, cycling through the graphs of the set, each adjacency computed
// once beforehand: only the operator's own computation is timed, to be read against
// BM_EigAdjacency.
void operatorOnAdjacency(benchmark::State &state, const BenchSet &set, const char *op)
{
    const std::vector<std::unique_ptr<Calculus>> arguments = benchArguments(set, "ADJACENCY");
    const std::vector<std::unique_ptr<Calculus>> items = benchOperators(arguments, op);
    // CHOLESKY refuses an adjacency matrix at its first pivot; the label says so.
    state.SetLabel(items.front()->getStatus().toStdString());
    timeItems(state, items);
}

// One decomposition per adjacency matrix of the set: the cost each decomposing operator is
// held to.
void eigAdjacency(benchmark::State &state, const BenchSet &set)
{
    std::vector<QVector<QVector<double>>> matrices;
    for (const BenchGraph &g : set.graphs)
        matrices.push_back(adjacency(g));
    std::size_t k = 0;
    for (auto _ : state) {
        const QVector<QVector<double>> &a = matrices[k];
        if (++k == matrices.size())
            k = 0;
        Eig e(a, a.size());
        benchmark::DoNotOptimize(e.eigvals());
    }
    state.SetItemsProcessed(state.iterations());
}

const int registered = [] {
    registerOnSets("BM_EigAdjacency", {"G(32,0.5)x200"}, eigAdjacency);
    for (const char *op : {"EIGENVALUES", "EIGENVECTORS", "DETERMINANT", "INERTIA", "CHOLESKY", "LAPLACIANOF"})
        registerOnSets(std::string("BM_LinearAlgebra/") + op + "(ADJACENCY)", {"G(32,0.5)x200"},
                       [op](benchmark::State &state, const BenchSet &set) { operatorOnAdjacency(state, set, op); });
    return 0;
}();
} // namespace
