#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/Eig.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {
const BenchGraph &gnp32()
{
    for (const BenchGraph &w : benchGraphs())
        if (std::string(w.name) == "G(32,0.5)")
            return w;
    return benchGraphs().front();
}

QVector<QVector<double>> adjacency(const BenchGraph &w)
{
    QVector<QVector<double>> a(w.n, QVector<double>(w.n, 0.0));
    for (int i = 0; i < w.n; ++i)
        for (int j = 0; j < w.n; ++j)
            a[i][j] = ((w.rows[i] >> j) & 1u) ? 1.0 : 0.0;
    return a;
}

// The operator over ADJACENCY of G(32, 1/2), the adjacency computed once: only the
// operator's own computation is timed, to be read against BM_EigAdjacencyGnp32.
void operatorOnAdjacency(benchmark::State &state, const char *op)
{
    benchApp();
    const BenchGraph &w = gnp32();
    Graph g("G", false);
    QString bits;
    for (int i = 1; i < w.n; ++i)
        for (int j = 0; j < i; ++j)
            bits += ((w.rows[i] >> j) & 1u) ? '1' : '0';
    g.loadCurrentGraph(QString::number(w.n) + ' ' + bits);
    BuildCalculus factory;
    std::unique_ptr<Calculus> argument(factory.makeCalculus("ADJACENCY", false));
    argument->setGraph(&g);
    argument->compute(true);
    std::unique_ptr<Calculus> item(factory.makeCalculus(op, false));
    item->setGraph(&g);
    item->setArg1(argument.get());
    // CHOLESKY refuses an adjacency matrix at its first pivot; the label says so.
    state.SetLabel(item->getStatus().toStdString());
    for (auto _ : state) {
        item->recompute();
        benchmark::DoNotOptimize(item->entry(0, 0));
    }
}

// One decomposition of the same matrix: the cost each decomposing operator is held to.
void BM_EigAdjacencyGnp32(benchmark::State &state)
{
    const QVector<QVector<double>> a = adjacency(gnp32());
    for (auto _ : state) {
        Eig e(a, a.size());
        benchmark::DoNotOptimize(e.eigvals());
    }
}
BENCHMARK(BM_EigAdjacencyGnp32)->Unit(benchmark::kMicrosecond);

const int registered = [] {
    for (const char *op : {"EIGENVALUES", "EIGENVECTORS", "DETERMINANT", "INERTIA", "CHOLESKY", "LAPLACIANOF"})
        benchmark::RegisterBenchmark((std::string("BM_LinearAlgebra/") + op + "(ADJACENCY)/G(32,0.5)").c_str(),
                                     operatorOnAdjacency, op)
            ->Unit(benchmark::kMicrosecond);
    return 0;
}();
} // namespace
