#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include "bench_support.h"
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {
void load(Graph &g, const BenchGraph &w)
{
    QString bits;
    for (int i = 1; i < w.n; ++i)
        for (int j = 0; j < i; ++j)
            bits += ((w.rows[i] >> j) & 1u) ? '1' : '0';
    g.loadCurrentGraph(QString::number(w.n) + ' ' + bits);
}

// OPERATOR(ARGUMENT) on one graph. With the operator, the argument is computed once and only
// the operator's computation is timed (its cost above the argument's); without it, the
// argument's own computation is timed, for comparison.
void operatorOnGraph(benchmark::State &state, const char *op, const char *arg, const BenchGraph *w)
{
    benchApp();
    Graph g("G", false);
    load(g, *w);
    BuildCalculus factory;
    std::unique_ptr<Calculus> argument(factory.makeCalculus(arg, false));
    argument->setGraph(&g);
    argument->compute(true);
    std::unique_ptr<Calculus> item(op ? factory.makeCalculus(op, false) : nullptr);
    if (item) {
        item->setGraph(&g);
        item->setArg1(argument.get());
    }
    Calculus *timed = item ? item.get() : argument.get();
    for (auto _ : state) {
        timed->recompute();
        benchmark::DoNotOptimize(timed->entry(0, 0));
    }
}

const int registered = [] {
    const struct {
        const char *op;
        const char *arg;
    } cases[] = {{"SUM", "DISTANCES"}, {"MAX", "DEGREES"}, {"NBVALUES", "DISTANCES"}, {nullptr, "DISTANCES"},
                 {nullptr, "DEGREES"}};
    for (const BenchGraph &w : benchGraphs()) {
        const std::string graph = w.name;
        if (graph != "P32" && graph != "G(32,0.5)")
            continue;
        for (const auto &c : cases) {
            const std::string name = c.op ? std::string(c.op) + "(" + c.arg + ")" : std::string(c.arg);
            benchmark::RegisterBenchmark(("BM_Operator/" + name + "/" + graph).c_str(), operatorOnGraph, c.op, c.arg,
                                         &w);
        }
    }
    return 0;
}();
} // namespace
