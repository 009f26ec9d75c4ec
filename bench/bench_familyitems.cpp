// The seven tree-family items through the item contract (Calculus::compute), one computation
// per iteration. Between two computations a leaf moves to another vertex and back, so every
// computation sees a new adjacency and pays its own breadth-first distance fill: the cost of
// one candidate graph of a search in which no distance item shares the fill.
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {
struct FamilyGraph {
    std::string name;
    int n;
    Graph::Row rows[Graph::MaxNodes];
};

// Vertex v joined to a uniform earlier vertex: a seeded random recursive tree.
FamilyGraph randomTree(unsigned seed)
{
    FamilyGraph g{"tree32#" + std::to_string(seed), 32, {}};
    std::mt19937 rng(seed);
    for (int v = 1; v < 32; ++v)
        NamedGraphs::addEdge(g.rows, std::uniform_int_distribution<int>(0, v - 1)(rng), v);
    return g;
}

const std::vector<FamilyGraph> &familyGraphs()
{
    static const std::vector<FamilyGraph> list = [] {
        std::vector<FamilyGraph> out;
        for (const BenchGraph &b : benchGraphs()) {
            const std::string name = b.name;
            if (name == "P32" || name == "K1,31" || name == "G(32,0.1)") {
                out.push_back(FamilyGraph{name, b.n, {}});
                std::copy(b.rows, b.rows + Graph::MaxNodes, out.back().rows);
            }
        }
        for (unsigned seed : {1u, 2u, 3u})
            out.push_back(randomTree(seed));
        return out;
    }();
    return list;
}

void familyItem(benchmark::State &state, const char *key)
{
    benchApp();
    const FamilyGraph &fg = familyGraphs()[state.range(0)];
    state.SetLabel(fg.name);
    Graph g("family", false);
    g.loadCurrentGraph(QString::number(fg.n) + ' ');
    for (int i = 0; i < fg.n; ++i)
        for (int j = i + 1; j < fg.n; ++j)
            if ((fg.rows[i] >> j) & 1u)
                g.addEdge(i, j);
    // The moving vertex: the last leaf (the last vertex with a neighbour when there is no
    // leaf), its neighbour p and a vertex q it is not joined to. A tree stays a tree.
    int moving = -1;
    for (int v = 0; v < fg.n; ++v)
        if (__builtin_popcount(fg.rows[v]) == 1 || (moving < 0 && fg.rows[v]))
            moving = v;
    const int p = __builtin_ctz(fg.rows[moving]);
    int q = 0;
    while (q == moving || ((fg.rows[moving] >> q) & 1u))
        ++q;
    std::unique_ptr<Calculus> item(BuildCalculus().makeCalculus(key, false));
    item->setGraph(&g);
    bool moved = false;
    for (auto _ : state) {
        g.remEdge(moving, moved ? q : p);
        g.addEdge(moving, moved ? p : q);
        moved = !moved;
        if (!item->compute(true)) {
            state.SkipWithError("the item was not recomputed");
            return;
        }
        benchmark::DoNotOptimize(item->entry(0, 0));
    }
}

const int registered = [] {
    for (const char *key : {"TREE", "PATH", "STAR", "SPIDER", "CATERPILLAR", "LOBSTER", "COMET"}) {
        auto *b = benchmark::RegisterBenchmark((std::string("BM_Family/") + key).c_str(), familyItem, key);
        for (int i = 0; i < int(familyGraphs().size()); ++i)
            b->Arg(i);
        b->Unit(benchmark::kMicrosecond);
    }
    return 0;
}();
} // namespace
