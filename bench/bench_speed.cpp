#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/SymmetricEigenvalues.h"
#include "graph/Graph.h"
#include "graph/GraphText.h"
#include "invariants/core/Betweenness.h"
#include "invariants/core/Distances.h"

#include "bench_support.h"
#include <QFile>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <vector>

// Spectra, betweenness and graph reading on sets of distinct graphs: 200 seeded G(32, 1/2),
// the connected 8-vertex graphs of the fixtures and the connected 9-vertex graphs of
// scripts/make_connected9.sh (ORV_CONNECTED9 names another copy).
namespace {

struct Rows {
    int n;
    Graph::Row rows[Graph::MaxNodes];
};

const std::vector<Rows> &gnp32()
{
    static const std::vector<Rows> list = [] {
        std::vector<Rows> out(200);
        for (unsigned k = 0; k < out.size(); ++k)
            out[k].n = NamedGraphs::random(out[k].rows, 32, 0.5, 5000 + k);
        return out;
    }();
    return list;
}

// The 200 graphs, each in a non-displayed graph of its own.
const std::vector<std::unique_ptr<Graph>> &gnp32Graphs()
{
    static const std::vector<std::unique_ptr<Graph>> list = [] {
        benchApp();
        std::vector<std::unique_ptr<Graph>> out;
        for (const Rows &r : gnp32()) {
            out.emplace_back(new Graph("G", false));
            out.back()->loadorv(Graph::graphText(r.rows, r.n), true);
        }
        return out;
    }();
    return list;
}

QString connected9Path()
{
    const QByteArray env = qgetenv("ORV_CONNECTED9");
    return env.isEmpty() ? QStringLiteral("/tmp/orv_connected9.g6") : QString::fromLocal8Bit(env);
}

// graph6 lines of a catalogue: the 9-vertex file, or the 8-vertex fixture turned into graph6.
const std::vector<QByteArray> &catalogue(int order)
{
    static std::vector<QByteArray> lists[2];
    std::vector<QByteArray> &out = lists[order == 9];
    if (!out.empty())
        return out;
    if (order == 9) {
        QFile f(connected9Path());
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray &line : f.readAll().split('\n'))
                if (!line.isEmpty())
                    out.push_back(line);
        return out;
    }
    QFile f(QString(ORV_FIXTURE_DIR) + "/connected8.txt");
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const GraphText::Rows g = GraphText::parsePairs(QString::fromLatin1(line));
        // graph6: N(n), then the upper triangle column by column, six bits a character.
        QByteArray g6(1, char(63 + g.count));
        int bits = 0, filled = 0;
        for (int j = 1; j < g.count; ++j)
            for (int i = 0; i < j; ++i) {
                bits = (bits << 1) | int((g.rows[i] >> j) & 1u);
                if (++filled == 6) {
                    g6.append(char(63 + bits));
                    bits = filled = 0;
                }
            }
        if (filled)
            g6.append(char(63 + (bits << (6 - filled))));
        out.push_back(g6);
    }
    return out;
}

void BM_EnergyCore_Gnp32(benchmark::State &state)
{
    const std::vector<Rows> &graphs = gnp32();
    size_t k = 0;
    double a[32 * 32], lambda[32];
    for (auto _ : state) {
        const Rows &g = graphs[k++ % graphs.size()];
        for (int i = 0; i < g.n; ++i)
            for (int j = 0; j < g.n; ++j)
                a[i * g.n + j] = (g.rows[i] >> j) & 1u;
        SymmetricEigenvalues::compute(a, g.n, lambda);
        benchmark::DoNotOptimize(lambda[0]);
    }
}
BENCHMARK(BM_EnergyCore_Gnp32)->Unit(benchmark::kMicrosecond);

void itemOnGnp32(benchmark::State &state, const char *key)
{
    const std::vector<std::unique_ptr<Graph>> &graphs = gnp32Graphs();
    std::unique_ptr<Calculus> item(BuildCalculus().makeCalculus(key, false));
    size_t k = 0;
    for (auto _ : state) {
        item->setGraph(graphs[k++ % graphs.size()].get());
        item->recompute();
        benchmark::DoNotOptimize(item->entry(0, 0));
    }
}
void BM_Energy_Gnp32(benchmark::State &state) { itemOnGnp32(state, "ENERGY"); }
BENCHMARK(BM_Energy_Gnp32)->Unit(benchmark::kMicrosecond);
void BM_Kirchhoff_Gnp32(benchmark::State &state) { itemOnGnp32(state, "KIRCHHOFF"); }
BENCHMARK(BM_Kirchhoff_Gnp32)->Unit(benchmark::kMicrosecond);
void BM_Betweenness_Gnp32(benchmark::State &state) { itemOnGnp32(state, "BETWEENNESS"); }
BENCHMARK(BM_Betweenness_Gnp32)->Unit(benchmark::kMicrosecond);
void BM_Centrality_Gnp32(benchmark::State &state) { itemOnGnp32(state, "CENTRALITY"); }
BENCHMARK(BM_Centrality_Gnp32)->Unit(benchmark::kMicrosecond);

// Total edge betweenness from the rows: distances, then the per-source layering.
void BM_TotalBetweennessCore_Gnp32(benchmark::State &state)
{
    const std::vector<Rows> &graphs = gnp32();
    size_t k = 0;
    for (auto _ : state) {
        const Rows &g = graphs[k++ % graphs.size()];
        Betweenness b;
        b.compute(g.rows, Distances(g.rows, g.n), Betweenness::Plain);
        double total = 0.0;
        for (int v = 0; v < g.n; ++v)
            total += b.rowSum(v);
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_TotalBetweennessCore_Gnp32)->Unit(benchmark::kMicrosecond);

// ENERGY over a whole catalogue, each graph read into one non-displayed graph: graphs/s.
void BM_EnergyCatalogue(benchmark::State &state)
{
    benchApp();
    const std::vector<QByteArray> &lines = catalogue(int(state.range(0)));
    if (lines.empty()) {
        state.SkipWithError("no catalogue: run scripts/make_connected9.sh");
        return;
    }
    Graph g("G", false);
    std::unique_ptr<Calculus> item(BuildCalculus().makeCalculus("ENERGY", false));
    item->setGraph(&g);
    for (auto _ : state) {
        double sum = 0.0;
        for (const QByteArray &line : lines) {
            g.loadg6(QString::fromLatin1(line), false);
            item->recompute();
            sum += item->entry(0, 0);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(lines.size()));
}
BENCHMARK(BM_EnergyCatalogue)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond);

// One graph6 line of the 9-vertex catalogue into a graph; arguments: reset, displayed.
void BM_LoadG6Nine(benchmark::State &state)
{
    benchApp();
    const std::vector<QByteArray> &bytes = catalogue(9);
    if (bytes.empty()) {
        state.SkipWithError("no catalogue: run scripts/make_connected9.sh");
        return;
    }
    std::vector<QString> lines;
    for (size_t k = 0; k < bytes.size() && k < 1000; ++k)
        lines.push_back(QString::fromLatin1(bytes[k]));
    const bool reset = state.range(0) != 0;
    Graph g("G", state.range(1) != 0);
    size_t k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(g.loadg6(lines[k++ % lines.size()], reset));
}
BENCHMARK(BM_LoadG6Nine)->Args({0, 0})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMicrosecond);

} // namespace
