#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/Eval.h"
#include "calculus/invConstant.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include "bench_support.h"
#include <QFile>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <memory>

// Evaluations per second of Problem::eval, the inner loop of every search, on boards built
// by key. A board whose keys the factory does not make yet is skipped.
namespace {
// The graph texts of a set, the form in which a search hands each candidate to the board.
QStringList texts(const BenchSet &set)
{
    QStringList out;
    for (const BenchGraph &g : set.graphs)
        out << Graph::graphText(g.rows, g.n);
    return out;
}

QStringList connectedEight()
{
    static const QStringList lines = texts(benchSet("connected8"));
    return lines;
}

enum class Board { Wiener, Diameter, Energy, OrderDegmaxConnected };

// Builds the board; false (with the board left partial) when a key is not made yet.
bool build(Problem &p, Board b, QString &missing)
{
    BuildCalculus factory;
    auto make = [&](const QString &key) -> Calculus * {
        Calculus *c = factory.makeCalculus(key, false);
        if (!c && missing.isEmpty())
            missing = key;
        return c;
    };
    auto objective = [&](const QString &key, Calculus *arg) {
        Calculus *z = make(key);
        if (!z)
            return false;
        p.addZItem(z);
        p.link1(arg, z);
        return true;
    };
    switch (b) {
    case Board::Wiener: {
        Calculus *w = make("WIENER");
        if (!w)
            return false;
        p.addInvariantItem(w);
        return objective("MINIMIZE", w);
    }
    case Board::Diameter: {
        Calculus *d = make("DIAMETER");
        Calculus *r = make("RADIUS");
        Calculus *le = make("<=");
        if (!d || !r || !le) {
            delete d;
            delete r;
            delete le;
            return false;
        }
        p.addInvariantItem(d);
        p.addInvariantItem(r);
        p.addConstraintItem(le);
        p.link1(d, le);
        p.link2(r, le);
        return objective("MAXIMIZE", d);
    }
    case Board::OrderDegmaxConnected: {
        // ORDER <= 2·DEGMAX and CONNECTED: constraints only, as a search meets them first.
        Calculus *order = make("ORDER");
        Calculus *degmax = make("DEGMAX");
        Calculus *times = make("*");
        Calculus *le = make("<=");
        Calculus *connected = make("CONNECTED");
        if (!order || !degmax || !times || !le || !connected) {
            for (Calculus *c : {order, degmax, times, le, connected})
                delete c;
            return false;
        }
        invConstant *two = factory.makeConstant(false);
        two->loadData(1, 1, {2.0});
        p.addInvariantItem(order);
        p.addInvariantItem(degmax);
        p.addOperatorItem(two);
        p.addOperatorItem(times);
        p.link1(two, times);
        p.link2(degmax, times);
        p.addConstraintItem(le);
        p.link1(order, le);
        p.link2(times, le);
        p.addConstraintItem(connected);
        return true;
    }
    case Board::Energy: {
        Calculus *e = make("ENERGY");
        if (!e)
            return false;
        p.addInvariantItem(e);
        return objective("MAXIMIZE", e);
    }
    }
    return false;
}

void runBoard(benchmark::State &state, Board b, const QStringList &graphs)
{
    benchApp();
    if (graphs.isEmpty()) {
        state.SkipWithError("graph list not found");
        return;
    }
    Graph g("bench", false);
    Problem p(&g, "bench", false);
    QString missing;
    if (!build(p, b, missing)) {
        state.SkipWithError(("key not made yet: " + missing).toStdString().c_str());
        return;
    }
    Eval e;
    int i = 0;
    for (auto _ : state) {
        g.loadCurrentGraph(graphs[i]);
        p.eval(&e);
        benchmark::DoNotOptimize(e.size());
        if (++i == graphs.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

// The cost of changing the graph alone, to subtract from the board runs.
void BM_LoadOnlyConnected8(benchmark::State &state)
{
    benchApp();
    const QStringList graphs = connectedEight();
    Graph g("bench", false);
    int i = 0;
    for (auto _ : state) {
        g.loadCurrentGraph(graphs[i]);
        benchmark::DoNotOptimize(g.getID());
        if (++i == graphs.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LoadOnlyConnected8);

void BM_EvalWienerConnected8(benchmark::State &state)
{
    runBoard(state, Board::Wiener, connectedEight());
}
BENCHMARK(BM_EvalWienerConnected8);

void BM_EvalDiameterConnected8(benchmark::State &state)
{
    runBoard(state, Board::Diameter, connectedEight());
}
BENCHMARK(BM_EvalDiameterConnected8);

void BM_EvalOrderDegmaxConnectedConnected8(benchmark::State &state)
{
    runBoard(state, Board::OrderDegmaxConnected, connectedEight());
}
BENCHMARK(BM_EvalOrderDegmaxConnectedConnected8);

void BM_EvalEnergyConnected8(benchmark::State &state)
{
    runBoard(state, Board::Energy, connectedEight());
}
BENCHMARK(BM_EvalEnergyConnected8);

const int registered = [] {
    const struct {
        const char *name;
        Board board;
    } boards[] = {{"BM_EvalWiener", Board::Wiener},
                  {"BM_EvalDiameter", Board::Diameter},
                  {"BM_EvalOrderDegmaxConnected", Board::OrderDegmaxConnected},
                  {"BM_EvalEnergy", Board::Energy}};
    for (const auto &b : boards)
        registerOnSets(b.name, {"G(20,0.5)x200", "G(32,0.5)x200"},
                       [board = b.board](benchmark::State &state, const BenchSet &set) {
                           runBoard(state, board, texts(set));
                       }, benchmark::kNanosecond);
    return 0;
}();
} // namespace
