#ifndef BENCH_SUPPORT_H
#define BENCH_SUPPORT_H

#include "FixtureReader.h"
#include "NamedGraphs.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

// Graph is a view widget: every benchmark that makes one shares this one application object.
inline QApplication &benchApp()
{
    static int argc = 1;
    static char name[] = "orv_bench";
    static char *argv[] = {name, nullptr};
    static bool env = qputenv("QT_QPA_PLATFORM", "offscreen");
    (void)env;
    static QApplication a(argc, argv);
    return a;
}

// One graph as adjacency rows.
struct BenchGraph {
    const char *name;
    int n;
    Graph::Row rows[Graph::MaxNodes];
};

// The extreme 32-vertex graphs and one seeded random graph per density. A benchmark that
// repeats one graph flatters the caches and the branch predictor: per-graph timings go
// through the sets below; these single graphs only set up operands of matrix benchmarks.
inline const std::vector<BenchGraph> &benchGraphs()
{
    static const std::vector<BenchGraph> list = [] {
        std::vector<BenchGraph> out;
        auto add = [&out](const char *name, int (*make)(Graph::Row *, int)) {
            out.push_back(BenchGraph{name, 0, {}});
            out.back().n = make(out.back().rows, 32);
        };
        add("K32", [](Graph::Row *r, int n) { return NamedGraphs::complete(r, n); });
        add("edgeless32", [](Graph::Row *r, int n) { return NamedGraphs::empty(r, n); });
        add("K1,31", [](Graph::Row *r, int n) { return NamedGraphs::star(r, n); });
        add("P32", [](Graph::Row *r, int n) { return NamedGraphs::path(r, n); });
        add("C32", [](Graph::Row *r, int n) { return NamedGraphs::cycle(r, n); });
        add("G(32,0.1)", [](Graph::Row *r, int n) { return NamedGraphs::random(r, n, 0.1, 11); });
        add("G(32,0.5)", [](Graph::Row *r, int n) { return NamedGraphs::random(r, n, 0.5, 12); });
        add("G(32,0.9)", [](Graph::Row *r, int n) { return NamedGraphs::random(r, n, 0.9, 13); });
        return out;
    }();
    return list;
}

// A set of distinct graphs that a per-graph benchmark cycles through, reporting the mean per
// graph; the benchmark's name carries the set's name.
struct BenchSet {
    std::string name;
    std::vector<BenchGraph> graphs;

    // Graph k of a run, the set repeating from the start when the run is longer.
    const BenchGraph &at(std::size_t k) const { return graphs[k % graphs.size()]; }
};

namespace benchsets {
constexpr int SetSize = 200;

// Adds the graph unless an equal labelled graph is already in the set.
inline void addDistinct(BenchSet &s, std::set<std::vector<Graph::Row>> &seen, const Graph::Row rows[], int n)
{
    if (!seen.insert(std::vector<Graph::Row>(rows, rows + n)).second)
        return;
    s.graphs.push_back(BenchGraph{nullptr, n, {}});
    std::copy(rows, rows + n, s.graphs.back().rows);
}

// SetSize seeded G(n, p), all distinct.
inline BenchSet random(int n, double p, const char *label)
{
    BenchSet s{label, {}};
    std::set<std::vector<Graph::Row>> seen;
    for (unsigned seed = 1; int(s.graphs.size()) < SetSize; ++seed) {
        Graph::Row rows[Graph::MaxNodes];
        NamedGraphs::random(rows, n, p, 1000u * unsigned(n) + seed);
        addDistinct(s, seen, rows, n);
    }
    return s;
}

// SetSize seeded relabellings of one graph: one shape, distinct adjacency rows.
inline BenchSet relabelled(int (*make)(Graph::Row *, int), int n, const char *label)
{
    BenchSet s{label, {}};
    std::set<std::vector<Graph::Row>> seen;
    Graph::Row base[Graph::MaxNodes];
    make(base, n);
    std::mt19937 rng(std::uint32_t(n) * 31u + std::uint32_t(base[0]));
    std::vector<int> perm(n);
    for (int i = 0; i < n; ++i)
        perm[i] = i;
    while (int(s.graphs.size()) < SetSize) {
        std::shuffle(perm.begin(), perm.end(), rng);
        Graph::Row rows[Graph::MaxNodes] = {};
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if ((base[i] >> j) & 1u)
                    rows[perm[i]] |= adjacency::bit(perm[j]);
        addDistinct(s, seen, rows, n);
    }
    return s;
}

// SetSize seeded random recursive trees: vertex v joined to a uniform earlier vertex.
inline BenchSet trees(int n, const char *label)
{
    BenchSet s{label, {}};
    std::set<std::vector<Graph::Row>> seen;
    for (unsigned seed = 1; int(s.graphs.size()) < SetSize; ++seed) {
        std::mt19937 rng(seed);
        Graph::Row rows[Graph::MaxNodes] = {};
        for (int v = 1; v < n; ++v)
            NamedGraphs::addEdge(rows, std::uniform_int_distribution<int>(0, v - 1)(rng), v);
        addDistinct(s, seen, rows, n);
    }
    return s;
}

// Every connected graph on 8 vertices, from the test fixtures (empty when the file is missing).
inline BenchSet connected8()
{
    BenchSet s{"connected8", {}};
    if (qEnvironmentVariableIsEmpty("ORV_FIXTURES"))
        qputenv("ORV_FIXTURES", ORV_FIXTURE_DIR);
    for (const FixtureReader::Entry &e : FixtureReader::read("connected8.txt")) {
        s.graphs.push_back(BenchGraph{nullptr, e.n, {}});
        std::copy(e.rows, e.rows + Graph::MaxNodes, s.graphs.back().rows);
    }
    return s;
}
} // namespace benchsets

// The sets by name: "connected8" (all 11,117 connected graphs on 8 vertices) and, of 200
// distinct graphs each, "G(n,p)x200" for the densities below at n = 32 and for p = 0.5 at
// n = 10 and 20, "P32x200" and "C32x200" (relabelled paths and cycles), "trees32x200"
// (random recursive trees). An unknown name gives an empty set.
inline const BenchSet &benchSet(const std::string &name)
{
    static const std::vector<BenchSet> all = [] {
        std::vector<BenchSet> out;
        out.push_back(benchsets::random(32, 0.1, "G(32,0.1)x200"));
        out.push_back(benchsets::random(32, 0.5, "G(32,0.5)x200"));
        out.push_back(benchsets::random(32, 0.9, "G(32,0.9)x200"));
        out.push_back(benchsets::random(10, 0.5, "G(10,0.5)x200"));
        out.push_back(benchsets::random(20, 0.5, "G(20,0.5)x200"));
        out.push_back(benchsets::relabelled(NamedGraphs::path, 32, "P32x200"));
        out.push_back(benchsets::relabelled(NamedGraphs::cycle, 32, "C32x200"));
        out.push_back(benchsets::trees(32, "trees32x200"));
        out.push_back(benchsets::connected8());
        return out;
    }();
    static const BenchSet none{"", {}};
    for (const BenchSet &s : all)
        if (s.name == name)
            return s;
    return none;
}

// The 32-vertex sets on which the invariant cores and items are timed.
inline const std::vector<std::string> &benchSets32()
{
    static const std::vector<std::string> names = {"G(32,0.1)x200", "G(32,0.5)x200", "G(32,0.9)x200",
                                                   "P32x200",       "C32x200",       "trees32x200"};
    return names;
}

// One Graph object per graph of the set, made once: an item benchmark moves its item from one
// to the next with setGraph, so every computation meets another adjacency without paying
// for a graph text or edge edits.
inline const std::vector<std::unique_ptr<Graph>> &benchGraphObjects(const BenchSet &s)
{
    static std::vector<std::pair<const BenchSet *, std::vector<std::unique_ptr<Graph>>>> made;
    for (const auto &m : made)
        if (m.first == &s)
            return m.second;
    benchApp();
    made.emplace_back(&s, std::vector<std::unique_ptr<Graph>>());
    for (const BenchGraph &g : s.graphs) {
        made.back().second.emplace_back(new Graph("bench", false));
        made.back().second.back()->loadCurrentGraph(Graph::graphText(g.rows, g.n));
    }
    return made.back().second;
}

// One item of the key per graph of the set, each computed once on its graph: the arguments of
// an operator benchmark, so that only the operator's computation is timed, on a new value each
// time. The caller owns the items.
inline std::vector<std::unique_ptr<Calculus>> benchArguments(const BenchSet &s, const char *key)
{
    std::vector<std::unique_ptr<Calculus>> out;
    BuildCalculus factory;
    for (const auto &g : benchGraphObjects(s)) {
        out.emplace_back(factory.makeCalculus(key, false));
        out.back()->setGraph(g.get());
        out.back()->compute(true);
    }
    return out;
}

// One operator of the key per argument, on the argument's graph, computed once.
inline std::vector<std::unique_ptr<Calculus>> benchOperators(const std::vector<std::unique_ptr<Calculus>> &arguments,
                                                             const char *key)
{
    std::vector<std::unique_ptr<Calculus>> out;
    BuildCalculus factory;
    for (const auto &a : arguments) {
        out.emplace_back(factory.makeCalculus(key, false));
        out.back()->setGraph(a->getGraph());
        out.back()->setArg1(a.get());
    }
    return out;
}

// Times one computation per iteration of the item, moved to the next graph object of the set
// each time: recompute() alone, or with contract the whole Calculus::compute (which must then
// recompute, the graph being new).
inline void timeOnGraphs(benchmark::State &state, const BenchSet &set, const char *key, bool contract)
{
    const auto &graphs = benchGraphObjects(set);
    std::unique_ptr<Calculus> item(BuildCalculus().makeCalculus(key, false));
    std::size_t k = 0;
    for (auto _ : state) {
        item->setGraph(graphs[k].get());
        if (++k == graphs.size())
            k = 0;
        if (!contract)
            item->recompute();
        else if (!item->compute(true)) {
            state.SkipWithError("the item was not recomputed");
            return;
        }
        benchmark::DoNotOptimize(item->entry(0, 0));
    }
    state.SetItemsProcessed(state.iterations());
}

// Times recompute() of one prepared item per iteration, cycling through the items.
inline void timeItems(benchmark::State &state, const std::vector<std::unique_ptr<Calculus>> &items)
{
    std::size_t k = 0;
    for (auto _ : state) {
        Calculus *item = items[k].get();
        if (++k == items.size())
            k = 0;
        item->recompute();
        benchmark::DoNotOptimize(item->entry(0, 0));
    }
    state.SetItemsProcessed(state.iterations());
}

// Registers "<base>/<set>" for each named set; body(state, set) runs with the set built on
// first use (not while benchmarks are registered).
template <typename Body>
inline void registerOnSets(const std::string &base, const std::vector<std::string> &sets, Body body,
                           benchmark::TimeUnit unit = benchmark::kMicrosecond)
{
    for (const std::string &name : sets)
        benchmark::RegisterBenchmark((base + "/" + name).c_str(),
                                     [body, name](benchmark::State &state) { body(state, benchSet(name)); })
            ->Unit(unit);
}

// The file of every connected graph on 9 vertices (scripts/make_connected9.sh writes it with
// nauty-geng; ORV_CONNECTED9 names another copy).
inline QString connectedNinePath()
{
    const QByteArray env = qgetenv("ORV_CONNECTED9");
    return env.isEmpty() ? QStringLiteral("/tmp/orv_connected9.g6") : QString::fromLocal8Bit(env);
}

// Resident and peak resident memory of the process ("VmRSS:", "VmHWM:"), in MB.
inline double statusMB(const char *key)
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(strlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

#endif
