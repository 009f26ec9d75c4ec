// The distance items through the item contract (Calculus::compute on a graph that changes by
// edge toggles, as in the optimiser): WIENER over every connected graph on 8 vertices and
// over 200 seeded G(32, 1/2), in graphs per second on one thread.
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {
struct Step {
    int i;
    int j;
    bool add;
};

// The edge changes that lead from each graph of the list to the next, the last one back to
// the first, so that one graph walks through the whole list.
struct Walk {
    int n = 0;
    std::vector<std::vector<Step>> steps;
    std::vector<Graph::Row> start;
};

Walk walkThrough(const BenchSet &set, int n)
{
    Walk w;
    w.n = n;
    if (set.graphs.empty())
        return w;
    w.start.assign(set.graphs.front().rows, set.graphs.front().rows + Graph::MaxNodes);
    for (size_t k = 0; k < set.graphs.size(); ++k) {
        const Graph::Row *from = set.graphs[k].rows;
        const Graph::Row *to = set.at(k + 1).rows;
        std::vector<Step> s;
        for (int i = 1; i < n; ++i)
            for (int j = 0; j < i; ++j) {
                const bool a = (from[i] >> j) & 1u, b = (to[i] >> j) & 1u;
                if (a != b)
                    s.push_back({i, j, b});
            }
        w.steps.push_back(s);
    }
    return w;
}

const Walk &connected8()
{
    static const Walk walk = walkThrough(benchSet("connected8"), 8);
    return walk;
}

const Walk &random32()
{
    static const Walk walk = walkThrough(benchSet("G(32,0.5)x200"), 32);
    return walk;
}

void setUp(Graph &g, const Walk &w)
{
    QString bits;
    for (int i = 1; i < w.n; ++i)
        for (int j = 0; j < i; ++j)
            bits += ((w.start[i] >> j) & 1u) ? '1' : '0';
    g.loadCurrentGraph(QString::number(w.n) + ' ' + bits);
}

// Moves the graph from graph k of the list to the next one.
void advance(Graph &g, const Walk &w, size_t &k)
{
    for (const Step &s : w.steps[k])
        s.add ? g.addEdge(s.i, s.j) : g.remEdge(s.i, s.j);
    k = k + 1 == w.steps.size() ? 0 : k + 1;
}

// Walks the list; with a key, computes the item on every graph. Without one it measures the
// walk alone, the part of the time that is not the item's.
void walkList(benchmark::State &state, const Walk &w, const char *key)
{
    benchApp();
    if (w.steps.empty()) {
        state.SkipWithError("no graphs (fixture file missing?)");
        return;
    }
    Graph g("G", false);
    setUp(g, w);
    std::unique_ptr<Calculus> item(key ? BuildCalculus().makeCalculus(key, false) : nullptr);
    if (item)
        item->setGraph(&g);
    size_t k = 0;
    double checksum = 0.0;
    for (auto _ : state) {
        advance(g, w, k);
        if (item) {
            item->compute(true);
            checksum += item->entry(0, 0);
        }
    }
    benchmark::DoNotOptimize(checksum);
    state.SetItemsProcessed(state.iterations());
    state.counters["graphs"] = double(w.steps.size());
}

void BM_Connected8_Walk(benchmark::State &state) { walkList(state, connected8(), nullptr); }
void BM_Connected8_WIENER(benchmark::State &state) { walkList(state, connected8(), "WIENER"); }
void BM_Connected8_DIAMETER(benchmark::State &state) { walkList(state, connected8(), "DIAMETER"); }
void BM_Random32_Walk(benchmark::State &state) { walkList(state, random32(), nullptr); }
void BM_Random32_WIENER(benchmark::State &state) { walkList(state, random32(), "WIENER"); }
void BM_Random32_DISTANCES(benchmark::State &state) { walkList(state, random32(), "DISTANCES"); }

// Several distance items on one board share one fill per graph.
void BM_Connected8_FiveDistanceItems(benchmark::State &state)
{
    benchApp();
    const Walk &w = connected8();
    Graph g("G", false);
    setUp(g, w);
    BuildCalculus factory;
    std::vector<std::unique_ptr<Calculus>> items;
    for (const char *key : {"WIENER", "DIAMETER", "RADIUS", "HARARY", "TRANSMISSION"}) {
        items.emplace_back(factory.makeCalculus(key, false));
        items.back()->setGraph(&g);
    }
    size_t k = 0;
    double checksum = 0.0;
    for (auto _ : state) {
        advance(g, w, k);
        for (auto &item : items) {
            item->compute(true);
            checksum += item->entry(0, 0);
        }
    }
    benchmark::DoNotOptimize(checksum);
    state.SetItemsProcessed(state.iterations());
}
} // namespace

namespace {
// Named after the set each one walks.
const int registered = [] {
    benchmark::RegisterBenchmark("BM_Walk/connected8", BM_Connected8_Walk);
    benchmark::RegisterBenchmark("BM_WIENER/connected8", BM_Connected8_WIENER);
    benchmark::RegisterBenchmark("BM_DIAMETER/connected8", BM_Connected8_DIAMETER);
    benchmark::RegisterBenchmark("BM_FiveDistanceItems/connected8", BM_Connected8_FiveDistanceItems);
    benchmark::RegisterBenchmark("BM_Walk/G(32,0.5)x200", BM_Random32_Walk);
    benchmark::RegisterBenchmark("BM_WIENER/G(32,0.5)x200", BM_Random32_WIENER);
    benchmark::RegisterBenchmark("BM_DISTANCES/G(32,0.5)x200", BM_Random32_DISTANCES);
    return 0;
}();
} // namespace
