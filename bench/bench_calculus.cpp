#include "calculus/Invariant.h"
#include "calculus/Operator.h"
#include "graph/Graph.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {
// The graph is a widget, so a (headless) application must exist.
void ensureApplication()
{
    if (QApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orv_bench";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

class EdgeCount : public Invariant
{
public:
    EdgeCount() { name = "EDGES"; }
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override {}
    void recompute() override
    {
        value[0][0] = graph->getNbEdges();
        nbRows = 1;
        nbCols = 1;
    }
};

class Twice : public Operator
{
public:
    Twice() { name = "TWICE"; }
    QString formula() override { return name; }
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override {}
    void recompute() override
    {
        Calculus *a = args[0];
        QMutexLocker locker(&a->getValueLock());
        value[0][0] = 2 * a->entry(0, 0);
        nbRows = 1;
        nbCols = 1;
    }
};
} // namespace

// The board evaluates every item for every candidate graph: on an unchanged graph the
// cost must be one identifier comparison per item.
static void BM_ComputeUnchangedGraph(benchmark::State &state)
{
    ensureApplication();
    Graph g("bench", false);
    EdgeCount item;
    item.setGraph(&g);
    item.set_crucial(true);
    item.compute(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(item.compute(false));
}
BENCHMARK(BM_ComputeUnchangedGraph);

// A new graph identifier for a chain of two items, plain and on the complement.
static void BM_ComputeNewGraph(benchmark::State &state)
{
    ensureApplication();
    Graph g("bench", false);
    EdgeCount inv;
    Twice op;
    inv.setGraph(&g);
    op.setGraph(&g);
    op.setArg1(&inv);
    inv.setInvertGraph(state.range(0) != 0);
    inv.set_crucial(true);
    op.set_crucial(true);
    int k = 0;
    for (auto _ : state) {
        g.toggleEdge(k % 10, (k + 3) % 10);
        g.addEdge(0, 0); // refused, but gives a new identifier
        ++k;
        inv.compute(false);
        op.compute(false);
    }
    benchmark::DoNotOptimize(op.getValue(1));
}
BENCHMARK(BM_ComputeNewGraph)->Arg(0)->Arg(1);
